#include "views/DeviceMainDlg.h"

#include <QMetaObject>
#include <QPalette>
#include <QPointer>

#include "platform/SingleInstance.h"

DeviceMainDlg::DeviceMainDlg(platform::SingleInstance* instance) : m_instance(instance) {}

DeviceMainDlg::~DeviceMainDlg() {
    if (m_instance) {
        m_instance->StopListening();
    }
}

void DeviceMainDlg::OnInitDialog() {
    QWidget* widget = GetSafeHwnd();
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(0x0F, 0x16, 0x1E));
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
    MDialog::OnInitDialog();

    // From now on a second start finds this window.
    if (m_instance) {
        QPointer<QWidget> target = widget;
        m_instance->Listen([this, target](const platform::InstanceRequest& request) {
            if (!target) {
                return;
            }
            if (request.kind == platform::InstanceRequest::Kind::Activate) {
                QMetaObject::invokeMethod(target.data(), [this] { Activate(); }, Qt::QueuedConnection);
            } else {
                PostWindowMessage(request.message, request.wparam, request.lparam);
            }
        });
    }
}

void DeviceMainDlg::OnDestroy() {
    if (m_instance) {
        m_instance->StopListening();
    }
}
