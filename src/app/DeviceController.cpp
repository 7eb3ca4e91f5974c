#include "app/DeviceController.h"

#include <algorithm>
#include <cctype>

#include "app/DeviceCommand.h"
#include "base/Clock.h"
#include "protocol/DeviceStateReader.h"
#include "protocol/Lighting.h"
#include "protocol/SettingsBlock.h"
#include "protocol/UploadJobs.h"
#include "store/ConfigDefaults.h"
#include "store/ProfileListRefresh.h"

namespace app {

namespace {

// The HID-over-GATT service of a Bluetooth LE mouse, and the keyboard collection's mark.
constexpr char kBluetoothService[] = "00001812-0000-1000-8000-00805F9B34FB";
constexpr char kKeyboardMark[] = "KBD";
constexpr uint32_t kPauseAfterJobMs = 100;
constexpr uint32_t kArrivalSettleMs = 1000;

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The catalogue patterns are ASCII; a pattern is compared as written with the upper-cased name,
// so a pattern with lower-case letters never matches.
std::string PatternText(const std::u16string& pattern) {
    std::string text;
    for (char16_t c : pattern) {
        text.push_back(c < 0x80 ? static_cast<char>(c) : '\x01');
    }
    return text;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

bool IsVendorInterface(const platform::DeviceNotice& notice) {
    return notice.usagePage == device::DeviceManager::kVendorUsagePage &&
           notice.usage == device::DeviceManager::kVendorUsage;
}

bool IsReceiverInterface(const platform::DeviceNotice& notice) {
    return notice.usagePage == device::DeviceManager::kReceiverUsagePage &&
           notice.usage == device::DeviceManager::kReceiverUsage;
}

DeviceController::DeviceController(Services services)
    : m_manager(services.manager),
      m_database(services.database),
      m_view(services.view),
      m_typeEmoji(std::move(services.typeEmoji)),
      m_restorePointerDefaults(std::move(services.restorePointerDefaults)),
      m_poller(services.manager, services.database, m_queue, services.view,
               [this](int number) {
                   if (m_typeEmoji) {
                       m_typeEmoji(number);
                   }
               }) {}

DeviceController::~DeviceController() {
    Stop();
    JoinWorker();
}

void DeviceController::SetCatalogueModes(device::DeviceDescriptorList modes) {
    std::lock_guard lock(m_modesMutex);
    m_modes = std::move(modes);
}

device::DeviceDescriptorList DeviceController::SelectedModes() const {
    std::lock_guard lock(m_modesMutex);
    return m_selectedModes;
}

void DeviceController::Start() {
    QueueCommand(JOB_SYNC_ONCE);
    StartWorker(base::DefaultClock().TickCount());
}

bool DeviceController::Stop(std::chrono::milliseconds timeout) { return StopWorker(timeout); }

void DeviceController::QueueCommand(int code) { m_queue.Push(code); }

void DeviceController::PauseBetweenRuns(std::chrono::milliseconds interval) {
    // The step period, cut short when a code arrives or the worker is asked to stop.
    if (m_queue.Empty()) {
        m_queue.WaitForCode(interval);
    }
}

void DeviceController::RefreshConnection() {
    m_view.SetBatteryInfo(0, 2);
    {
        std::lock_guard lock(m_modesMutex);
        m_selectedModes.clear();
        m_manager.ClearIdTable();
        for (const device::DeviceDescriptor& mode : m_modes) {
            if (mode.deviceType != device::kDeviceTypeInEffect) {
                continue;
            }
            m_manager.AddIdEntry(mode.vendorId, mode.productId, u"", device::kDeviceTypeInEffect,
                                 mode.mode);
            m_selectedModes.push_back(mode);
        }
    }
    m_manager.RebuildConnections();
    std::vector<device::DeviceConnection> connections;
    m_manager.CollectConnections(connections, device::kDeviceTypeInEffect);
    m_deviceType.store(device::kDeviceTypeInEffect);

    ConnectionDisplay display;  // the no-device state
    if (connections.empty()) {
        m_connected.store(false);
        m_online.store(false);
        m_view.ShowConnectionState(display);
        return;
    }
    m_connected.store(true);
    switch (m_manager.GetConnectionKind()) {
        case -1:
            display.statusText = 53;
            m_online.store(false);
            break;
        case 0:
        case 1:
        case 3:
            display.statusText = m_manager.GetConnectionKind() == 0 ? 51 : 52;
            display.tabsEnabled = true;
            display.tabPosition = 1;
            display.noDeviceShown = false;
            display.profileBarShown = true;
            m_online.store(true);
            break;
        case 2:
            display.statusText = 54;
            display.bluetoothNotice = true;
            m_online.store(true);
            break;
        default:
            return;
    }
    m_view.ShowConnectionState(display);
}

void DeviceController::OnDeviceInterfaceChange(const platform::DeviceNotice& notice) {
    const std::string name = UpperCase(notice.identity);
    if (name.empty()) {
        return;
    }
    const bool bluetooth = Contains(name, kBluetoothService);
    const device::DeviceDescriptorList modes = SelectedModes();
    if (notice.kind == platform::DeviceNotice::Kind::Arrival) {
        for (const device::DeviceDescriptor& mode : modes) {
            const std::string pattern = PatternText(mode.interfacePattern);
            if (bluetooth && !pattern.empty() && Contains(name, pattern) &&
                Contains(name, kKeyboardMark)) {
                QueueCommand(JOB_DEVICE_ARRIVED);
                return;
            }
            // A receiver shows only its own collection, never the mouse's vendor one; without
            // the second test a receiver plugged in later would never be noticed.
            if ((IsVendorInterface(notice) || IsReceiverInterface(notice)) &&
                m_manager.FindConnection(mode.vendorId, mode.productId, mode.mode) == -1) {
                QueueCommand(JOB_DEVICE_ARRIVED);
                return;
            }
        }
        return;
    }
    if (!m_connected.load()) {
        return;
    }
    for (const device::DeviceDescriptor& mode : modes) {
        const std::string pattern = PatternText(mode.interfacePattern);
        const bool matches = !pattern.empty() && Contains(name, pattern);
        if (bluetooth) {
            if (matches && Contains(name, kKeyboardMark)) {
                QueueCommand(JOB_DEVICE_REMOVED);
                return;
            }
            continue;
        }
        if (matches && m_manager.FindConnection(mode.vendorId, mode.productId, mode.mode) != -1) {
            QueueCommand(JOB_DEVICE_REMOVED);
            return;
        }
    }
}

void DeviceController::WorkerStep() {
    const std::optional<int> code = m_queue.Take();
    if (!code) {
        if (m_connected.load()) {
            m_poller.PollNotification(CurrentProfile(),
                                      [this] { return !m_queue.Empty() || !Running(); });
        }
        return;
    }
    // Arrival and removal run before any check: they decide whether a mouse is there.
    if (*code == JOB_DEVICE_ARRIVED) {
        if (m_jobObserver) {
            m_jobObserver(*code);
        }
        SyncAfterArrival();
        SyncOnce();
        return;
    }
    if (*code == JOB_DEVICE_REMOVED) {
        if (m_jobObserver) {
            m_jobObserver(*code);
        }
        SyncAfterRemoval();
        return;
    }
    if (!m_connected.load()) {
        // Dropped: nothing is sent, and a wait dialog opened for it must not stay open.
        m_view.EndWaitDialog(*code);
        return;
    }
    if (m_jobObserver) {
        m_jobObserver(*code);
    }
    RunJob(*code);
}

void DeviceController::RunJob(int code) {
    const int profile = CurrentProfile();
    switch (code) {
        case JOB_SYNC_ONCE:
            SyncOnce();
            return;
        case JOB_RELOAD_PROFILE:
            RefreshProfileList();
            m_view.RefreshKeyPage(true);
            m_view.RefreshMacroList();
            m_view.RefreshPerformancePage();
            AfterJob(code);
            return;
        case JOB_UPLOAD_PROFILE:
            protocol::UploadProfile(m_manager, m_database, profile);
            AfterJob(code);
            m_view.DeviceSynced(static_cast<int>(kSyncedAfterUpload));
            return;
        case JOB_READ_DEVICE:
            ReadDeviceStateAndShowBattery();
            m_view.RefreshKeyPage(true);
            m_view.RefreshPerformancePage();
            m_view.RefreshMacroList();
            AfterJob(code);
            return;
        case JOB_WRITE_LIGHT:
            protocol::SendLightMode(m_manager, m_database, profile);
            AfterJob(code);
            return;
        case JOB_SEND_DPI:
            protocol::SendDpiStage(m_manager, m_database, profile);
            AfterJob(code);
            return;
        case JOB_RESET_PROFILE:
            protocol::ResetProfileOnDevice(m_manager, m_database, profile);
            RestorePointerDefaults();
            AfterJob(code);
            m_view.DeviceSynced(static_cast<int>(kSyncedAfterReset));
            return;
        case JOB_FACTORY_RESET: {
            RefreshProfileList();
            m_view.RefreshKeyPage(true);
            m_view.RefreshMacroList();
            const std::optional<protocol::BatteryReading> battery = protocol::FactoryResetOnDevice(
                m_manager, m_database, CurrentProfile(), m_manager.GetConnectionKind());
            m_view.RefreshPerformancePage();
            if (battery) {
                m_view.SetBatteryInfo(battery->level, battery->state);
            }
            m_view.HideMacroEditing();
            RestorePointerDefaults();
            return;
        }
        default:
            return;  // a code without a job is ignored
    }
}

void DeviceController::AfterJob(int code) {
    m_view.EndWaitDialog(code);
    base::DefaultClock().Sleep(kPauseAfterJobMs);
}

void DeviceController::RefreshProfileList() {
    const store::ProfileListState profiles = store::RefreshProfileStore(m_database);
    if (profiles.current > 0) {
        m_currentProfile.store(profiles.current);
    }
    m_view.ShowProfileList(profiles);
}

void DeviceController::RefreshViews() {
    m_view.RefreshKeyPage(true);
    m_view.RefreshMacroList();
    m_view.RefreshPerformancePage();
}

void DeviceController::ReadDeviceStateAndShowBattery() {
    if (const std::optional<protocol::BatteryReading> battery =
            protocol::ReadDeviceState(m_manager, m_database, CurrentProfile())) {
        m_view.SetBatteryInfo(battery->level, battery->state);
    }
}

void DeviceController::ShowFirmwareVersions() {
    m_view.ShowFirmwareVersion(protocol::ReadFirmwareVersions(m_manager));
}

void DeviceController::SyncOnce() {
    if (m_readDone.load()) {
        return;
    }
    RefreshProfileList();
    ReadDeviceStateAndShowBattery();
    RefreshViews();
    ShowFirmwareVersions();
    m_readDone.store(true);
}

void DeviceController::SyncAfterArrival() {
    base::DefaultClock().Sleep(kArrivalSettleMs);
    RefreshConnection();
    RefreshProfileList();
    ReadDeviceStateAndShowBattery();
    RefreshViews();
    ShowFirmwareVersions();
}

void DeviceController::SyncAfterRemoval() {
    RefreshConnection();
    RefreshProfileList();
    ReadDeviceStateAndShowBattery();
    RefreshViews();
    m_view.ShowFirmwareVersion(protocol::ReadFirmwareText(m_manager));
}

void DeviceController::RestorePointerDefaults() {
    if (m_restorePointerDefaults) {
        m_restorePointerDefaults();
    }
}

}  // namespace app
