#include "device/DeviceManager.h"

#include <algorithm>
#include <vector>

#include "base/Clock.h"
#include "platform/HidapiBackend.h"

namespace device {

namespace {

// A device interface of a Bluetooth LE mouse carries the HID-over-GATT service in its identity
// text; its keyboard collection carries "KBD".
constexpr char kBluetoothService[] = "00001812-0000-1000-8000-00805F9B34FB";
constexpr char kKeyboardMark[] = "KBD";

// The order in which connections are preferred for traffic. A receiver counts only while its
// mouse is online; when the first receiver of a mode is offline, no later one of that mode is
// considered.
struct Preference {
    int mode;
    bool needsOnline;
};
constexpr Preference kPreferenceOrder[] = {
    {0, false},  // wired
    {2, false},  // Bluetooth
    {1, true},   // receiver
    {3, true},   // receiver, second kind
};

// Receiver exchange: data bytes add up to this value.
constexpr uint8_t kReceiverSum = 0xA1;
// The receiver query and its answer.
constexpr uint8_t kReceiverQuery[] = {0x01, 0x00, 0x81, 0x01};
constexpr size_t kAnswerMarkIndex = 2;
constexpr uint8_t kAnswerMark = 0x8C;
constexpr size_t kAnswerStateIndex = 4;
constexpr uint8_t kMouseOnlineBit = 0x08;

// Receiver exchange timing (milliseconds).
constexpr int kDrainTimeoutMs = 100;
constexpr uint32_t kAnswerDelayMs = 16;
constexpr int kAnswerTimeoutMs = 200;
constexpr uint32_t kSecondReadDelayMs = 200;
constexpr int kSecondReadTimeoutMs = 100;
constexpr uint32_t kQueryRetryDelayMs = 100;

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool IsBluetoothKeyboard(const platform::HidDeviceInfo& info) {
    const std::string text = UpperAscii(info.identity.empty() ? info.path : info.identity);
    return text.find(kBluetoothService) != std::string::npos &&
           text.find(kKeyboardMark) != std::string::npos;
}

}  // namespace

DeviceManager::DeviceManager(platform::HidBackend& backend)
    : m_backend(&backend), m_ownBackend(&backend) {}

DeviceManager::DeviceManager() {
    m_trace.OpenFromEnvironment();
}

DeviceManager::~DeviceManager() {
    std::lock_guard lock(m_mutex);
    m_opened = true;  // close whatever is open, whatever the flag says
    CloseAllLocked();
    m_cached.reset();
}

DeviceManager& DeviceManager::Instance() {
    static DeviceManager instance;
    return instance;
}

void DeviceManager::SetBackend(platform::HidBackend* backend) {
    std::lock_guard lock(m_mutex);
    m_opened = true;
    CloseAllLocked();
    m_cached.reset();
    m_backend = backend ? backend : m_ownBackend;
}

platform::HidBackend& DeviceManager::Backend() {
    std::lock_guard lock(m_mutex);
    if (m_backend) {
        return *m_backend;
    }
    if (!m_realBackend) {
        m_realBackend = std::make_unique<platform::HidapiBackend>();
    }
    return *m_realBackend;
}

void DeviceManager::ClearIdTable() {
    std::lock_guard lock(m_mutex);
    m_ids.clear();
}

void DeviceManager::AddIdEntry(int vendorId, int productId, std::u16string text, int deviceType,
                               int mode) {
    std::lock_guard lock(m_mutex);
    m_ids.push_back(DeviceIdEntry{vendorId, productId, std::move(text), deviceType, mode});
}

const DeviceIdEntry* DeviceManager::FindIdLocked(int vendorId, int productId) const {
    for (const DeviceIdEntry& entry : m_ids) {
        if (entry.vendorId == vendorId && entry.productId == productId) {
            return &entry;
        }
    }
    return nullptr;
}

bool DeviceManager::IsSupported(int vendorId, int productId) const {
    std::lock_guard lock(m_mutex);
    return FindIdLocked(vendorId, productId) != nullptr;
}

int DeviceManager::TypeOf(int vendorId, int productId) const {
    std::lock_guard lock(m_mutex);
    const DeviceIdEntry* entry = FindIdLocked(vendorId, productId);
    return entry ? entry->deviceType : 0;
}

int DeviceManager::ModeOf(int vendorId, int productId) const {
    std::lock_guard lock(m_mutex);
    const DeviceIdEntry* entry = FindIdLocked(vendorId, productId);
    return entry ? entry->mode : 0;
}

std::vector<DeviceIdEntry> DeviceManager::IdTable() const {
    std::lock_guard lock(m_mutex);
    return m_ids;
}

void DeviceManager::SetDeviceTypeFilter(int deviceType) {
    std::lock_guard lock(m_mutex);
    m_filter = deviceType;
}

void DeviceManager::ClearActiveConnectionCache() {
    std::lock_guard lock(m_mutex);
    m_cached.reset();
}

int DeviceManager::DeviceTypeFilter() const {
    std::lock_guard lock(m_mutex);
    return m_filter;
}

void DeviceManager::EnumerateDevices() {
    platform::HidBackend& backend = Backend();
    const platform::HidEnumeration found = backend.Enumerate();
    if (!found.error.empty()) {
        RecordError(found.error);
    }
    size_t existing = 0;
    {
        std::lock_guard lock(m_mutex);
        existing = m_connections.size();
    }
    // The new connections are made without the lock (opening and the receiver query do I/O)
    // and joined to the list at the end, so the window thread never waits for a device.
    std::vector<DeviceConnection> made;
    for (const platform::HidDeviceInfo& info : found.devices) {
        if (!IsSupported(info.vendorId, info.productId)) {
            continue;
        }
        const int deviceType = TypeOf(info.vendorId, info.productId);
        const int mode = ModeOf(info.vendorId, info.productId);
        DeviceConnection base;
        base.vendorId = info.vendorId;
        base.productId = info.productId;
        base.path = info.path;
        base.identity = info.identity;
        base.releaseNumber = info.releaseNumber;
        base.deviceType = deviceType;
        base.usagePage = info.usagePage;
        base.usage = info.usage;

        if (IsBluetoothKeyboard(info)) {
            DeviceConnection entry = base;
            entry.index = static_cast<int>(existing + made.size());
            entry.mode = 2;
            entry.online = 1;
            made.push_back(std::move(entry));
        }

        platform::HidOpenResult opened = backend.Open(info.path);
        if (!opened.device) {
            RecordError(opened.error);
            continue;
        }
        const bool vendor = info.usagePage == kVendorUsagePage && info.usage == kVendorUsage;
        const bool receiver = info.usagePage == kReceiverUsagePage && info.usage == kReceiverUsage;
        if (!vendor && !receiver) {
            opened.device->Close();
            continue;
        }
        DeviceConnection connection = base;
        connection.index = static_cast<int>(existing + made.size());
        connection.device = std::shared_ptr<platform::HidDevice>(std::move(opened.device));
        if (!connection.device->GetProductString(connection.product)) {
            RecordError(connection.device->LastError());
        }
        if (!connection.device->GetManufacturerString(connection.manufacturer)) {
            RecordError(connection.device->LastError());
        }
        connection.mode = mode;
        connection.online = 1;
        if (receiver && mode != 0) {
            connection.online = QueryReceiverOnline(connection);
        }
        made.push_back(std::move(connection));
    }
    std::lock_guard lock(m_mutex);
    for (DeviceConnection& connection : made) {
        connection.index = static_cast<int>(m_connections.size());
        m_connections.push_back(std::move(connection));
    }
}

void DeviceManager::CloseAllLocked() {
    if (!m_opened) {
        return;
    }
    m_opened = false;
    for (DeviceConnection& connection : m_connections) {
        if (connection.device) {
            connection.device->Close();
        }
    }
    m_connections.clear();
}

void DeviceManager::CloseAll() {
    std::lock_guard lock(m_mutex);
    CloseAllLocked();
}

void DeviceManager::RebuildConnections() {
    ClearActiveConnectionCache();
    {
        // Always start from an empty list, also when a bare EnumerateDevices left connections
        // behind without the opened flag: a rebuild never keeps stale or doubled connections.
        std::lock_guard lock(m_mutex);
        m_opened = true;
        CloseAllLocked();
    }
    EnumerateDevices();
    SetOpened(true);
}

bool DeviceManager::CollectConnections(std::vector<DeviceConnection>& out,
                                       int deviceTypeFilter) const {
    std::lock_guard lock(m_mutex);
    if (m_connections.empty()) {
        return false;
    }
    for (const DeviceConnection& connection : m_connections) {
        if (deviceTypeFilter == 0 || connection.deviceType == deviceTypeFilter) {
            out.push_back(connection);
        }
    }
    return true;
}

int DeviceManager::FindConnection(int vendorId, int productId, int mode) const {
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < m_connections.size(); ++i) {
        const DeviceConnection& c = m_connections[i];
        if (c.vendorId == vendorId && c.productId == productId && c.mode == mode) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const DeviceConnection* DeviceManager::ChooseLocked() const {
    for (const Preference& preference : kPreferenceOrder) {
        for (const DeviceConnection& c : m_connections) {
            if (c.deviceType != m_filter || c.mode != preference.mode) {
                continue;
            }
            // Only the first connection of the mode is considered.
            if (!preference.needsOnline || c.online != 0) {
                return &c;
            }
            break;
        }
    }
    return nullptr;
}

std::shared_ptr<platform::HidDevice> DeviceManager::ActiveConnection() {
    std::lock_guard lock(m_mutex);
    if (m_cached) {
        return m_cached;
    }
    const DeviceConnection* chosen = ChooseLocked();
    m_cached = chosen ? chosen->device : nullptr;
    return m_cached;
}

int DeviceManager::GetConnectionKind() const {
    std::lock_guard lock(m_mutex);
    const DeviceConnection* chosen = ChooseLocked();
    return chosen ? chosen->mode : -1;
}

int DeviceManager::QueryReceiverOnline(DeviceConnection& connection) {
    if (connection.mode == 0) {
        connection.online = 1;
        return 1;
    }
    ReceiverBuffer buffer{};
    const auto buildRequest = [&buffer] {
        buffer.fill(0);
        std::copy(std::begin(kReceiverQuery), std::end(kReceiverQuery), buffer.begin());
    };
    buildRequest();
    bool ok = ExchangeReceiver(connection.device.get(), buffer);
    if (buffer[kAnswerMarkIndex] != kAnswerMark) {
        base::DefaultClock().Sleep(kQueryRetryDelayMs);
        buildRequest();
        ok = ExchangeReceiver(connection.device.get(), buffer);
    }
    if (ok && buffer[kAnswerMarkIndex] == kAnswerMark) {
        connection.online = (buffer[kAnswerStateIndex] & kMouseOnlineBit) ? 1 : 0;
    }
    return connection.online;
}

bool DeviceManager::ExchangeReceiver(platform::HidDevice* device, ReceiverBuffer& buffer) {
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < kDataSize; ++i) {
        sum += buffer[i];
    }
    std::array<uint8_t, kReportSize> report{};
    Read(device, report, kDrainTimeoutMs);  // drain a stale answer; the result does not matter

    report.fill(0);
    std::copy(buffer.begin(), buffer.end() - 1, report.begin() + 1);
    report[kReportSize - 1] = static_cast<uint8_t>(kReceiverSum - sum);
    if (Write(device, report) <= 0) {
        return false;
    }
    base::DefaultClock().Sleep(kAnswerDelayMs);
    report.fill(0);
    int n = Read(device, report, kAnswerTimeoutMs);
    if (n < 1) {
        base::DefaultClock().Sleep(kSecondReadDelayMs);
        report.fill(0);
        n = Read(device, report, kSecondReadTimeoutMs);
    }
    if (n != static_cast<int>(kDataSize)) {
        return false;
    }
    std::copy(report.begin(), report.begin() + kDataSize, buffer.begin());
    return true;
}

int DeviceManager::Write(platform::HidDevice* device,
                         std::span<const uint8_t, kReportSize> report) {
    if (!device) {
        return -1;
    }
    m_trace.Record(ProtocolTrace::kWrite, report);
    const size_t length = device->OutputReportLength();
    int n = 0;
    if (length > kReportSize) {
        // The interface expects whole output reports: pad to its length with zeros.
        std::vector<uint8_t> padded(length, 0);
        std::copy(report.begin(), report.end(), padded.begin());
        n = device->Write(padded);
    } else {
        n = device->Write(report);
    }
    if (n < 0) {
        RecordError(device->LastError());
    }
    return n;
}

int DeviceManager::Read(platform::HidDevice* device, std::span<uint8_t> buffer, int timeoutMs) {
    if (!device || buffer.empty()) {
        return -1;
    }
    int n = device->Read(buffer, timeoutMs);
    if (n < 0) {
        RecordError(device->LastError());
        return -1;
    }
    n = std::min(n, static_cast<int>(buffer.size()));
    if (n > 0) {
        m_trace.Record(ProtocolTrace::kRead, buffer.first(static_cast<size_t>(n)));
    }
    return n;
}

int DeviceManager::SendFeatureReport(platform::HidDevice* device, std::span<const uint8_t> report) {
    if (!device || report.empty()) {
        return -1;
    }
    m_trace.Record(ProtocolTrace::kFeatureSend, report);
    const int n = device->SendFeatureReport(report);
    if (n < 0) {
        RecordError(device->LastError());
    }
    return n;
}

int DeviceManager::GetFeatureReport(platform::HidDevice* device, std::span<uint8_t> buffer) {
    if (!device || buffer.empty()) {
        return -1;
    }
    int n = device->GetFeatureReport(buffer);
    if (n < 0) {
        RecordError(device->LastError());
        return -1;
    }
    n = std::min(n, static_cast<int>(buffer.size()));
    if (n > 0) {
        m_trace.Record(ProtocolTrace::kFeatureGet, buffer.first(static_cast<size_t>(n)));
    }
    return n;
}

void DeviceManager::RecordError(const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_lastError = text;
}

std::string DeviceManager::LastError() const {
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

}  // namespace device
