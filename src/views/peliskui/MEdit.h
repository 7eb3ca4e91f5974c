#pragma once

#include "views/peliskui/MControlFont.h"

class QLineEdit;

namespace PeliskUI {

// A one-line edit field ("MEdit"). Its title is its text. Entering the field reports event 30,
// every change the user types reports event 26, and pressing Enter or leaving the field reports
// event 29 once per edit.
class MEdit : public MControlFont {
    Q_OBJECT
  public:
    explicit MEdit(QWidget* parent = nullptr);

    // Sets the field's text without reporting an event.
    void SetTitle(const QString& title) override;
    QString GetEditText() const;
    // A grey hint shown while the field is empty.
    void SetTipInfo(const QString& hint);
    void SetReadOnly(bool readOnly);
    void SetMaxLength(int length);
    bool HasEditFocus() const;
    // Gives the field the keyboard focus, as a click on it does.
    void BeginEdit();

    QLineEdit* LineEdit() const { return m_edit; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The area of the field's text; NumberEdit keeps room for its step arrows.
    virtual QRect TextArea() const;
    void ApplyLook();

  private:
    QLineEdit* m_edit;
    uint32_t m_appliedColor = 0;  // the text colour the inner field was last given
    bool m_editing = false;
};

}  // namespace PeliskUI
