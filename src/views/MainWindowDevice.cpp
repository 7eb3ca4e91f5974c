#include "views/MainWindowDevice.h"

#include <QMetaObject>
#include <QWidget>

#include "app/DeviceCommand.h"
#include "app/DeviceStartup.h"
#include "app/ProfileDefaults.h"
#include "base/Log.h"
#include "input/TypeText.h"
#include "platform/PointerSettings.h"
#include "store/ConfigDefaults.h"
#include "views/DeviceMainDlg.h"
#include "views/MainWindowPage.h"

namespace views {

MainWindowDevice::MainWindowDevice(device::DeviceManager& manager, store::ProfileDatabase& database,
                                   Options options)
    : m_manager(manager),
      m_database(database),
      m_options(std::move(options)),
      m_controller({manager, database, m_view,
                    [this](int number) {
                        if (m_options.typeEmoji) {
                            m_options.typeEmoji(number);
                        } else {
                            input::TypeEmoji(number);
                        }
                    },
                    [this] { RestorePointerDefaults(); }}) {}

MainWindowDevice::MainWindowDevice(Options options)
    : MainWindowDevice(device::DeviceManager::Instance(), store::ProfileDatabase::Instance(),
                       std::move(options)) {}

MainWindowDevice::~MainWindowDevice() {
    if (m_started) {
        Stop();
    }
}

void MainWindowDevice::Start(DeviceMainDlg& window) {
    if (m_started) {
        return;
    }
    m_started = true;
    m_view.Bind(window);
    if (QWidget* widget = window.GetSafeHwnd()) {
        // Keys typed into the window are the user's raw keys (macro recording, key entry),
        // never an input method's composition.
        widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    }

    // Notices are switched on before the first refresh, so nothing plugged in meanwhile is
    // missed; they reach OnDeviceInterfaceChange through the window thread's queue, so only
    // after the refresh below has selected the modes.
    const platform::DeviceNoticeHandler handler = [this](const platform::DeviceNotice& notice) {
        OnNotice(notice);
    };
    if (m_options.virtualMouse) {
        m_virtualNotices = std::make_unique<VirtualDeviceNotices>(*m_options.virtualMouse);
        m_virtualNotices->Start(handler);
    } else {
        m_monitor.Start(handler);
    }

    app::StartDeviceSide(m_controller, m_catalogue, m_manager, m_database);
    m_controller.Start();  // JOB_SYNC_ONCE, then the worker's 30 ms steps
}

bool MainWindowDevice::Stop() {
    if (m_virtualNotices) {
        m_virtualNotices->Stop();
    }
    m_monitor.Stop();
    m_stoppedInTime = m_controller.Stop(kStopTimeout);
    if (!m_stoppedInTime) {
        base::LogLine("the device worker did not end within a second; its job is left running");
    }
    return m_stoppedInTime;
}

void MainWindowDevice::OnNotice(const platform::DeviceNotice& notice) {
    QMetaObject::invokeMethod(
        &m_context, [this, notice] { m_controller.OnDeviceInterfaceChange(notice); },
        Qt::QueuedConnection);
}

bool MainWindowDevice::QueueJob(int code) {
    if (!m_controller.IsConnected()) {
        return false;
    }
    m_controller.QueueCommand(code);
    return true;
}

void MainWindowDevice::RestoreProfileDefaults(DeviceMainDlg& window) {
    window.ForEachPage([](MainWindowPage& page) { page.SelectFirstButton(); });
    const int profile = m_controller.CurrentProfile();
    app::RestoreProfileDefaults(m_database, profile, m_controller.ConnectionKind());
    window.ForEachPage([](MainWindowPage& page) {
        page.RefreshKeyPage(false);
        page.RefreshPerformancePage();
    });
}

void MainWindowDevice::RestorePointerDefaults() {
    if (m_options.virtualMouse) {
        base::LogLine("pointer settings: left as they are, the mouse is the virtual one");
        return;
    }
    platform::RestorePointerDefaults(platform::DesktopPointerSettings());
}

}  // namespace views
