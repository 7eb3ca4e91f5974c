#include "views/peliskui/MTabLayout.h"

#include "views/peliskui/MWindow.h"

namespace PeliskUI {

MTabLayout::MTabLayout(QWidget* parent) : MControl(parent) {}

MControl* MTabLayout::CreateArea(const QString& kind, int id, const MRect& rect,
                                 const QString& title, bool visible, bool enabled) {
    if (!Owner()) {
        return nullptr;
    }
    return Owner()->CreateIn(this, kind, id, rect, title, visible, enabled, false);
}

MControl* MTabLayout::CreateControl(const QString& kind, int id, const MRect& rect,
                                    const QString& title, bool visible, bool enabled) {
    if (!Owner()) {
        return nullptr;
    }
    return Owner()->CreateIn(this, kind, id, rect, title, visible, enabled, true);
}

void MTabLayout::RepositionChildren() {
    for (QObject* child : children()) {
        if (auto* control = qobject_cast<MControl*>(child)) {
            control->Reposition();
        }
    }
}

void MTabLayout::moveEvent(QMoveEvent* event) {
    MControl::moveEvent(event);
    RepositionChildren();
}

void MTabLayout::resizeEvent(QResizeEvent* event) {
    MControl::resizeEvent(event);
    RepositionChildren();
}

}  // namespace PeliskUI
