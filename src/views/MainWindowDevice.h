#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

#include "app/DeviceController.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceManager.h"
#include "platform/DeviceMonitor.h"
#include "platform/DeviceNotice.h"
#include "sim/VirtualHidBackend.h"
#include "store/ProfileDatabase.h"
#include "views/VirtualDeviceNotices.h"
#include "views/WindowDeviceView.h"

class DeviceMainDlg;

namespace views {

// The device side of the main window: the device catalogue, the command queue and worker
// (app::DeviceController) with the window as its view, and the hot-plug notices. The window
// starts it when it is initialised and stops it when its run ends; its profile bar queues jobs
// and restores the current profile's defaults through it.
//
// Threads: every operation below runs on the window thread. The worker reports through the
// WindowDeviceView, and notices from the udev monitor (or the virtual bus) are handed to the
// window thread before they reach OnDeviceInterfaceChange.
class MainWindowDevice {
  public:
    struct Options {
        // The virtual mouse the device manager talks to, or null for real hardware. With it,
        // hot-plug notices come from its bus, and resets leave the desktop's pointer settings
        // alone (the virtual mouse is not the desktop's pointer).
        sim::VirtualHidBackend* virtualMouse = nullptr;
        // Types an emoji number for the mouse's emoji buttons; empty: the desktop's keyboard.
        std::function<void(int)> typeEmoji;
    };

    // How long the window waits for the worker at its end.
    static constexpr std::chrono::milliseconds kStopTimeout{1000};

    // On the process-wide manager and store (or the ones given); they must outlive this.
    MainWindowDevice(device::DeviceManager& manager, store::ProfileDatabase& database,
                     Options options);
    explicit MainWindowDevice(Options options);
    // Stops the notices and the worker; waits for a job still running.
    ~MainWindowDevice();
    MainWindowDevice(const MainWindowDevice&) = delete;
    MainWindowDevice& operator=(const MainWindowDevice&) = delete;

    // Window initialisation, in order: the view is bound to the window, hot-plug notices are
    // switched on (a notice is acted on only once the window thread runs its loop, after the
    // first refresh), the catalogue is loaded, the model's database selected and the connection
    // refreshed (app::StartDeviceSide), JOB_SYNC_ONCE is queued and the worker started.
    void Start(DeviceMainDlg& window);
    // Window end: the notices stop, then the worker, waited for up to kStopTimeout. False when
    // a job was still running then; the process must then end without destroying what the
    // worker uses (see varneth.cpp).
    bool Stop();
    // False after a Stop that timed out.
    bool StoppedInTime() const { return m_stoppedInTime; }

    // Queues a job the user waits for (apply, read, restore defaults). False, with nothing
    // queued, while no mouse is connected: the worker would drop the code, so the window
    // opens no wait dialog for it.
    bool QueueJob(int code);
    // The store side of the restore-defaults button: the current profile's button assignments
    // are deleted and its configuration reset (report rate 1000 Hz over a cable, else 250 Hz),
    // with the pages told before (first button selected) and after (key and performance pages
    // refreshed). JOB_RESET_PROFILE is queued by the caller.
    void RestoreProfileDefaults(DeviceMainDlg& window);

    app::DeviceController& Controller() { return m_controller; }
    device::DeviceCatalogue& Catalogue() { return m_catalogue; }

  private:
    // A notice from the monitor's or the bus's thread, handed to the window thread.
    void OnNotice(const platform::DeviceNotice& notice);
    void RestorePointerDefaults();

    device::DeviceManager& m_manager;
    store::ProfileDatabase& m_database;
    Options m_options;
    QObject m_context;  // window thread: the notices handed over are addressed to it
    WindowDeviceView m_view;
    device::DeviceCatalogue m_catalogue;
    // Declared after the view and the catalogue: destroyed (and its worker joined) first.
    app::DeviceController m_controller;
    platform::DeviceMonitor m_monitor;
    std::unique_ptr<VirtualDeviceNotices> m_virtualNotices;
    bool m_started = false;
    bool m_stoppedInTime = true;
};

}  // namespace views
