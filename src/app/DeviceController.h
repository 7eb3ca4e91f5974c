#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "app/CThreadBasic.h"
#include "app/CommandQueue.h"
#include "app/DeviceView.h"
#include "app/NotificationPoller.h"
#include "device/DeviceDescriptor.h"
#include "device/DeviceManager.h"
#include "platform/DeviceNotice.h"
#include "store/ProfileDatabase.h"

namespace app {

// The device side of the main window, shared by the window and the command-line program: the
// command queue and the worker thread that runs one device job per step, the connection state
// and its refresh, the hot-plug handling and the notification poll. Every exchange with the
// mouse happens on the worker thread; the views are told through DeviceView.
class DeviceController : public CThreadBasic {
public:
    // What the controller works with. All must outlive it.
    struct Services {
        device::DeviceManager& manager;
        store::ProfileDatabase& database;
        DeviceView& view;
        std::function<void(int)> typeEmoji;        // types an emoji number (may be empty)
        std::function<void()> restorePointerDefaults;  // the desktop's pointer defaults (may be empty)
    };

    explicit DeviceController(Services services);
    ~DeviceController() override;

    // The catalogue's modes list; RefreshConnection selects those of the device type in effect.
    void SetCatalogueModes(device::DeviceDescriptorList modes);
    device::DeviceDescriptorList SelectedModes() const;

    // Queues the first device job (JOB_SYNC_ONCE) and starts the worker (30 ms steps).
    void Start();
    // Stops the worker, waiting up to `timeout` for it. False when a job was still running.
    bool Stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));

    // Appends a DeviceCommand code for the worker. Any thread.
    void QueueCommand(int code);
    CommandQueue& Queue() { return m_queue; }

    // Rebuilds the device side and the connection state and shows it. The window thread calls
    // it once at start; afterwards only the worker does (jobs 2 and 3).
    void RefreshConnection();
    // A HID interface arrived or went: queues JOB_DEVICE_ARRIVED or JOB_DEVICE_REMOVED when it
    // concerns a selected mode. Window thread.
    void OnDeviceInterfaceChange(const platform::DeviceNotice& notice);

    bool IsConnected() const { return m_connected.load(); }
    bool IsOnline() const { return m_online.load(); }
    int DeviceType() const { return m_deviceType.load(); }
    // The profile shown and written, 1..5.
    int CurrentProfile() const { return m_currentProfile.load(); }
    void SetCurrentProfile(int profile) { m_currentProfile.store(profile); }
    bool ReadDone() const { return m_readDone.load(); }
    void ClearReadDone() { m_readDone.store(false); }
    // The connection kind of the device manager (-1 none, 0 wired, 1/3 receiver, 2 Bluetooth).
    int ConnectionKind() const { return m_manager.GetConnectionKind(); }

    // One step of the worker: one queued job, or the idle poll. Public so tests and the
    // command-line program can drive the worker synchronously.
    void WorkerStep();
    // Reloads the profile list from the store (creating the default profiles when there are
    // none), takes its current profile and shows it.
    void RefreshProfileList();

    // Called with each code just before its job runs (after connection checks); tests and the
    // latency measurement use it. Worker thread.
    void SetJobObserver(std::function<void(int code)> observer) { m_jobObserver = std::move(observer); }
    NotificationPoller& Poller() { return m_poller; }

protected:
    void ThreadBody() override { WorkerStep(); }
    void PauseBetweenRuns(std::chrono::milliseconds interval) override;
    void OnStopRequested() override { m_queue.Wake(); }

private:
    void RunJob(int code);
    void AfterJob(int code);
    void RefreshViews();
    void SyncOnce();
    void SyncAfterArrival();
    void SyncAfterRemoval();
    void ReadDeviceStateAndShowBattery();
    void ShowFirmwareVersions();
    void RestorePointerDefaults();

    device::DeviceManager& m_manager;
    store::ProfileDatabase& m_database;
    DeviceView& m_view;
    std::function<void(int)> m_typeEmoji;
    std::function<void()> m_restorePointerDefaults;
    CommandQueue m_queue;
    NotificationPoller m_poller;
    std::function<void(int)> m_jobObserver;

    mutable std::mutex m_modesMutex;
    device::DeviceDescriptorList m_modes;          // the catalogue's modes list
    device::DeviceDescriptorList m_selectedModes;  // modes of the device type in effect

    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_online{false};
    std::atomic<bool> m_readDone{false};
    std::atomic<int> m_deviceType{0};
    std::atomic<int> m_currentProfile{1};
};

// True when the interface is a mouse's vendor collection (usage page 0xFF01, usage 0x10).
bool IsVendorInterface(const platform::DeviceNotice& notice);
// True when the interface is a receiver's collection (usage page 0xFF0A, usage 0x01).
bool IsReceiverInterface(const platform::DeviceNotice& notice);

}  // namespace app
