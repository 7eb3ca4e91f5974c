#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// A control with a checked state. Controls that share a group name within one window form a
// group with at most one checked member: checking one unchecks the others. Controls without a
// group name are independent.
class MCheckable : public MControlFont {
    Q_OBJECT
  public:
    explicit MCheckable(QWidget* parent = nullptr);

    void SetGroupName(const QString& name);
    const QString& GetGroupName() const { return m_group; }

    // Sets the checked state; checking a group member unchecks the rest of its group.
    // Reports no event.
    virtual void SetCheck(bool checked);
    bool GetCheck() const { return m_checked; }

    // The state frame including the checked state: 0...3 unchecked, 4...7 checked.
    int CheckState() const { return State() + (m_checked ? 4 : 0); }

  protected:
    // What a click does: group members become checked, the rest toggle. Then event 2.
    void OnClicked() override;

  private:
    void UncheckGroupMates();

    QString m_group;
    bool m_checked = false;
};

}  // namespace PeliskUI
