#include "views/peliskui/MCheckable.h"

#include "views/peliskui/MEvent.h"
#include "views/peliskui/MWindow.h"

namespace PeliskUI {

MCheckable::MCheckable(QWidget* parent) : MControlFont(parent) {}

void MCheckable::SetGroupName(const QString& name) {
    m_group = name;
    if (m_checked) {
        UncheckGroupMates();
    }
}

void MCheckable::SetCheck(bool checked) {
    if (checked && !m_group.isEmpty()) {
        UncheckGroupMates();
    }
    if (m_checked != checked) {
        m_checked = checked;
        update();
    }
}

void MCheckable::UncheckGroupMates() {
    const auto uncheck = [this](QObject* object) {
        auto* mate = qobject_cast<MCheckable*>(object);
        if (mate && mate != this && mate->m_checked && mate->m_group == m_group) {
            mate->m_checked = false;
            mate->update();
        }
    };
    if (Owner()) {
        for (MControl* control : Owner()->Controls()) {
            uncheck(control);
        }
    } else if (parentWidget()) {
        for (QObject* sibling : parentWidget()->children()) {
            uncheck(sibling);
        }
    }
}

void MCheckable::OnClicked() {
    SetCheck(m_group.isEmpty() ? !m_checked : true);
    Notify(kEventClick, m_checked ? 1 : 0);
}

}  // namespace PeliskUI
