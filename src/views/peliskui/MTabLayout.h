#pragma once

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A page container ("MTabLayout"): holds the controls of one page, which it creates like a
// window does (their rectangles stay in the window's client coordinates), and is shown or
// hidden as a whole by the tab control it belongs to.
class MTabLayout : public MControl {
    Q_OBJECT
  public:
    explicit MTabLayout(QWidget* parent = nullptr);

    // Create a passive element or an event-reporting control on this page; null for an unknown
    // kind or before the page belongs to a window.
    MControl* CreateArea(const QString& kind, int id, const MRect& rect, const QString& title,
                         bool visible = true, bool enabled = true);
    MControl* CreateControl(const QString& kind, int id, const MRect& rect, const QString& title,
                            bool visible = true, bool enabled = true);

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void RepositionChildren();
};

}  // namespace PeliskUI
