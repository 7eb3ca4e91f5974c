#include "sim/VirtualBus.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "base/Clock.h"
#include "platform/FileIo.h"
#include "platform/Folders.h"
#include "protocol/CommandSet.h"

namespace sim {

namespace {

using platform::HidCollection;

constexpr HidCollection kMouseCollection{0x01, 0x02, 0, 0, 0};
constexpr HidCollection kKeyboardCollection{0x01, 0x06, 9, 2, 0};
constexpr HidCollection kConsumerCollection{0x0C, 0x01, 3, 0, 0};
constexpr HidCollection kVendorCollection{0xFF01, 0x10, 65, 65, 21};
constexpr HidCollection kReceiverCollection{0xFF0A, 0x01, 65, 65, 21};

// The receiver's query (01 00 81 01 ...) and its answer (01 00 8C 01 state ...); the data
// bytes of both add up to 0xA1.
constexpr uint8_t kReceiverQuery[] = {0x01, 0x00, 0x81, 0x01};
constexpr uint8_t kReceiverAnswer[] = {0x01, 0x00, 0x8C, 0x01};
constexpr uint8_t kReceiverSum = 0xA1;
constexpr size_t kReceiverStateIndex = 4;
constexpr uint8_t kMouseOnlineBit = 0x08;

constexpr size_t kPayloadSize = VirtualMouse::kPayloadSize;
constexpr size_t kFeatureSize = static_cast<size_t>(protocol::kFeatureReportSize);
constexpr size_t kMaxFeatureText = kFeatureSize - protocol::kFeatureTextOffset;
constexpr size_t kLogLimit = 8192;

const char16_t kManufacturer[] = u"Varneth";
const char16_t kMouseProduct[] = u"Varneth M1 Mouse";
const char16_t kReceiverProduct[] = u"Varneth M1 Receiver";

uint64_t Now() {
    return base::DefaultClock().TickCount64();
}

// A counter fault: positive counts down, -1 is permanent, 0 is off.
bool Take(int& counter) {
    if (counter == 0) {
        return false;
    }
    if (counter > 0) {
        --counter;
    }
    return true;
}

std::optional<VirtualMouse::Payload> ReceiverAnswerTo(const VirtualMouse::Payload& request,
                                                      bool mouseAwake) {
    unsigned sum = 0;
    for (uint8_t b : request) {
        sum += b;
    }
    if (!std::equal(std::begin(kReceiverQuery), std::end(kReceiverQuery), request.begin()) ||
        static_cast<uint8_t>(sum) != kReceiverSum) {
        return std::nullopt;  // not a request the receiver knows: no answer
    }
    VirtualMouse::Payload answer{};
    std::copy(std::begin(kReceiverAnswer), std::end(kReceiverAnswer), answer.begin());
    answer[kReceiverStateIndex] = mouseAwake ? kMouseOnlineBit : 0;
    unsigned answerSum = 0;
    for (size_t i = 0; i + 1 < answer.size(); ++i) {
        answerSum += answer[i];
    }
    answer[answer.size() - 1] = static_cast<uint8_t>(kReceiverSum - answerSum);
    return answer;
}

}  // namespace

VirtualBus::VirtualBus() = default;

void VirtualBus::ClearNodes() {
    std::vector<std::string> gone;
    {
        std::lock_guard lock(m_mutex);
        if (m_plugged) {
            gone = PathsLocked();
        }
        m_nodes.clear();
        m_nextNumber = 0;
        ++m_generation;
    }
    Notify(gone, false);
}

void VirtualBus::SetMode(SimMode mode) {
    ClearNodes();
    switch (mode) {
        case SimMode::Wired:
            AddWiredMouse();
            break;
        case SimMode::Receiver:
            AddReceiver(kReceiverProductId, true);
            break;
        case SimMode::ReceiverOffline:
            AddReceiver(kReceiverProductId, false);
            break;
        case SimMode::Bluetooth:
            AddBluetoothMouse();
            break;
    }
}

std::string VirtualBus::AddWiredMouse(uint16_t productId) {
    VirtualNode mouse;
    mouse.vendorId = kVendorId;
    mouse.productId = productId;
    mouse.releaseNumber = kReleaseNumber;
    mouse.interfaceNumber = 0;
    mouse.collections = {kMouseCollection};
    mouse.manufacturer = kManufacturer;
    mouse.product = kMouseProduct;
    VirtualNode vendor = mouse;
    vendor.interfaceNumber = 1;
    vendor.collections = {kKeyboardCollection, kConsumerCollection, kVendorCollection};
    vendor.role = NodeRole::Mouse;
    AddNode(std::move(mouse));
    return AddNode(std::move(vendor));
}

std::string VirtualBus::AddReceiver(uint16_t productId, bool mouseAwake) {
    VirtualNode mouse;
    mouse.vendorId = kVendorId;
    mouse.productId = productId;
    mouse.releaseNumber = kReleaseNumber;
    mouse.interfaceNumber = 0;
    mouse.collections = {kMouseCollection};
    mouse.manufacturer = kManufacturer;
    mouse.product = kReceiverProduct;
    VirtualNode receiver = mouse;
    receiver.interfaceNumber = 1;
    receiver.collections = {kReceiverCollection};
    receiver.role = NodeRole::Receiver;
    receiver.mouseAwake = mouseAwake;
    AddNode(std::move(mouse));
    return AddNode(std::move(receiver));
}

std::string VirtualBus::AddBluetoothMouse(uint16_t productId) {
    VirtualNode node;
    node.vendorId = kVendorId;
    node.productId = productId;
    node.releaseNumber = kReleaseNumber;
    node.interfaceNumber = -1;
    node.busType = platform::HidBusType::Bluetooth;
    node.address = kBluetoothAddress;
    node.collections = {kKeyboardCollection, kMouseCollection};
    node.product = kMouseProduct;
    return AddNode(std::move(node));
}

std::string VirtualBus::AddNode(VirtualNode node) {
    std::string path;
    bool announce = false;
    {
        std::lock_guard lock(m_mutex);
        node.number = m_nextNumber++;
        node.path = "/sim/hidraw" + std::to_string(node.number);
        node.input.clear();
        path = node.path;
        m_nodes.push_back(std::move(node));
        announce = m_plugged;
    }
    if (announce) {
        Notify({path}, true);
    }
    return path;
}

std::vector<VirtualNode> VirtualBus::Nodes() const {
    std::lock_guard lock(m_mutex);
    return m_nodes;
}

void VirtualBus::SetMouseAwake(bool awake) {
    std::lock_guard lock(m_mutex);
    for (VirtualNode& node : m_nodes) {
        if (node.role == NodeRole::Receiver) {
            node.mouseAwake = awake;
        }
    }
}

bool VirtualBus::SetMouseAwake(const std::string& path, bool awake) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = FindLocked(path);
    if (!node) {
        return false;
    }
    node->mouseAwake = awake;
    return true;
}

bool VirtualBus::SetOutputReportLength(const std::string& path, size_t length) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = FindLocked(path);
    if (!node) {
        return false;
    }
    node->outputReportLength = length;
    return true;
}

void VirtualBus::SetFaults(SimFaults faults) {
    std::lock_guard lock(m_mutex);
    m_faults = std::move(faults);
}

SimFaults VirtualBus::Faults() const {
    std::lock_guard lock(m_mutex);
    return m_faults;
}

void VirtualBus::SetLatency(uint32_t ms) {
    std::lock_guard lock(m_mutex);
    m_faults.latencyMs = ms;
}

void VirtualBus::Unplug() {
    std::vector<std::string> gone;
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) {
            return;
        }
        m_plugged = false;
        ++m_generation;
        for (VirtualNode& node : m_nodes) {
            node.input.clear();
        }
        gone = PathsLocked();
    }
    Notify(gone, false);
}

void VirtualBus::Replug() {
    std::vector<std::string> back;
    {
        std::lock_guard lock(m_mutex);
        if (m_plugged) {
            return;
        }
        m_plugged = true;
        back = PathsLocked();
    }
    Notify(back, true);
}

bool VirtualBus::IsPlugged() const {
    std::lock_guard lock(m_mutex);
    return m_plugged;
}

void VirtualBus::SetPlugListener(PlugListener listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

bool VirtualBus::QueueNotification(uint8_t event, uint8_t value1, uint8_t value2) {
    std::lock_guard lock(m_mutex);
    if (!m_plugged) {
        return false;
    }
    VirtualNode* target = nullptr;
    for (VirtualNode& node : m_nodes) {
        if (node.role == NodeRole::Mouse) {
            target = &node;
            break;
        }
    }
    if (!target) {
        for (VirtualNode& node : m_nodes) {
            if (node.role == NodeRole::Receiver && node.mouseAwake) {
                target = &node;
                break;
            }
        }
    }
    if (!target) {
        return false;
    }
    std::vector<uint8_t> report(kPayloadSize, 0);
    report[0] = protocol::kNotificationMark0;
    report[1] = protocol::kNotificationMark1;
    report[protocol::kNotificationEventIndex] = event;
    report[protocol::kNotificationEventIndex + 1] = value1;
    report[protocol::kNotificationEventIndex + 2] = value2;
    target->input.push_back(PendingReport{Now(), std::move(report)});
    return true;
}

bool VirtualBus::QueueInputReport(const std::string& path, std::vector<uint8_t> report) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = FindLocked(path);
    if (!node || !m_plugged) {
        return false;
    }
    node->input.push_back(PendingReport{Now(), std::move(report)});
    return true;
}

VirtualMouse VirtualBus::Mouse() const {
    std::lock_guard lock(m_mutex);
    return m_mouse;
}

void VirtualBus::EditMouse(const std::function<void(VirtualMouse&)>& edit) {
    std::lock_guard lock(m_mutex);
    edit(m_mouse);
    SaveLocked();
}

bool VirtualBus::SetStateFile(const std::string& path, std::string& error) {
    std::lock_guard lock(m_mutex);
    if (platform::IsDirectory(path)) {
        error = "the state file is a folder";
        return false;
    }
    // A state of a few kilobytes; anything much larger is not one.
    constexpr size_t kMaxStateBytes = 1024 * 1024;
    if (const auto text = platform::ReadWholeFile(path, kMaxStateBytes)) {
        if (!m_mouse.FromJson(*text, error)) {
            return false;
        }
    } else if (FILE* probe = std::fopen(path.c_str(), "rb")) {
        std::fclose(probe);
        error = "the state file cannot be read";
        return false;
    } else if (!platform::WriteFileAtomically(path, m_mouse.ToJson())) {
        error = "the state file cannot be written";
        return false;
    }
    m_stateFile = path;
    return true;
}

bool VirtualBus::SaveState(std::string& error) const {
    std::lock_guard lock(m_mutex);
    if (m_stateFile.empty()) {
        error = "no state file";
        return false;
    }
    if (!platform::WriteFileAtomically(m_stateFile, m_mouse.ToJson())) {
        error = "the state file cannot be written";
        return false;
    }
    return true;
}

void VirtualBus::SaveLocked() {
    if (!m_stateFile.empty()) {
        platform::WriteFileAtomically(m_stateFile, m_mouse.ToJson());
    }
}

std::vector<IoRecord> VirtualBus::IoLog() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

void VirtualBus::ClearIoLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

platform::HidEnumeration VirtualBus::Enumerate() const {
    std::lock_guard lock(m_mutex);
    platform::HidEnumeration result;
    if (!m_plugged) {
        return result;
    }
    for (const VirtualNode& node : m_nodes) {
        platform::HidNodeFacts facts;
        facts.node = platform::HidIdentity::NodeName(node.path);
        facts.busType = node.busType;
        facts.vendorId = node.vendorId;
        facts.productId = node.productId;
        facts.releaseNumber = node.releaseNumber;
        facts.interfaceNumber = node.interfaceNumber;
        facts.address = node.address;
        facts.collections = node.collections;
        for (platform::HidDeviceInfo& info : platform::HidIdentity::RecordsFor(facts, node.path)) {
            result.devices.push_back(std::move(info));
        }
    }
    return result;
}

bool VirtualBus::OpenNode(const std::string& path, int& number, uint64_t& generation,
                          std::string& error) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = m_plugged ? FindLocked(path) : nullptr;
    if (!node) {
        error = "no such device: " + path;
        return false;
    }
    number = node->number;
    generation = m_generation;
    LogLocked(IoRecord::Kind::Open, node->path, {});
    return true;
}

void VirtualBus::CloseNode(int number) {
    std::lock_guard lock(m_mutex);
    if (VirtualNode* node = FindLocked(number)) {
        LogLocked(IoRecord::Kind::Close, node->path, {});
    }
}

int VirtualBus::Write(int number, uint64_t generation, std::span<const uint8_t> report,
                      std::string& error) {
    std::unique_lock lock(m_mutex);
    VirtualNode* node = LiveLocked(number, generation, error);
    if (!node) {
        return -1;
    }
    if (report.empty() || node->role == NodeRole::Passive) {
        error = "the interface takes no such output report";
        LogLocked(IoRecord::Kind::WriteFailed, node->path, report);
        return -1;
    }
    if (Take(m_faults.failWrites)) {
        error = "write failed (simulated fault)";
        LogLocked(IoRecord::Kind::WriteFailed, node->path, report);
        return -1;
    }
    LogLocked(IoRecord::Kind::Write, node->path, report);

    VirtualMouse::Payload payload{};
    std::copy_n(report.begin() + 1, std::min(report.size() - 1, kPayloadSize), payload.begin());
    std::optional<std::vector<uint8_t>> reply;
    bool changed = false;
    const auto mouseCommand = [&] {
        const VirtualMouse::Outcome outcome = m_mouse.HandleCommand(payload);
        changed = outcome.changed;
        reply.emplace(outcome.reply.begin(), outcome.reply.end());
    };
    if (report[0] != 0) {
        // A numbered report this interface does not have: the device ignores it.
    } else if (node->role == NodeRole::Mouse) {
        mouseCommand();
    } else if (payload[0] == kReceiverQuery[0]) {
        if (const auto answer = ReceiverAnswerTo(payload, node->mouseAwake)) {
            reply.emplace(answer->begin(), answer->end());
        }
    } else if (node->mouseAwake) {
        mouseCommand();  // the receiver passes commands on to its awake mouse
    }

    if (!m_faults.scriptedReplies.empty()) {
        std::vector<uint8_t> scripted = std::move(m_faults.scriptedReplies.front());
        m_faults.scriptedReplies.pop_front();
        reply.reset();
        if (!scripted.empty()) {
            reply = std::move(scripted);
        }
    } else if (reply && Take(m_faults.dropReplies)) {
        reply.reset();
    } else if (reply && !reply->empty() && Take(m_faults.corruptReplies)) {
        (*reply)[0] = 0x00;
    }
    if (reply) {
        node->input.push_back(PendingReport{Now() + m_faults.latencyMs, std::move(*reply)});
    }
    if (changed) {
        SaveLocked();
    }
    const int written = static_cast<int>(report.size());
    if (m_faults.unplugAfterWrites > 0 && --m_faults.unplugAfterWrites == 0) {
        // The device vanishes right after this write, before any answer can be read.
        lock.unlock();
        Unplug();
    }
    return written;
}

int VirtualBus::Read(int number, uint64_t generation, std::span<uint8_t> buffer, int timeoutMs,
                     std::string& error) {
    std::unique_lock lock(m_mutex);
    const uint64_t start = Now();
    for (;;) {
        VirtualNode* node = LiveLocked(number, generation, error);
        if (!node) {
            return -1;
        }
        const uint64_t now = Now();
        if (!node->input.empty() && node->input.front().availableAt <= now) {
            std::vector<uint8_t> report = std::move(node->input.front().bytes);
            node->input.pop_front();
            const size_t n = std::min(report.size(), buffer.size());
            std::copy_n(report.begin(), n, buffer.begin());
            LogLocked(IoRecord::Kind::Read, node->path, buffer.first(n));
            return static_cast<int>(n);
        }
        // A negative time-out waits for a report on its way; with none coming it returns at
        // once rather than hang.
        uint64_t deadline = start + static_cast<uint64_t>(std::max(timeoutMs, 0));
        if (timeoutMs < 0) {
            deadline = node->input.empty() ? now : node->input.front().availableAt;
        }
        if (now >= deadline) {
            LogLocked(IoRecord::Kind::ReadTimeout, node->path, {});
            return 0;
        }
        uint64_t until = deadline;
        if (!node->input.empty()) {
            until = std::min(until, node->input.front().availableAt);
        }
        const auto wait = static_cast<uint32_t>(std::min<uint64_t>(until - now, 60'000));
        lock.unlock();
        base::DefaultClock().Sleep(wait);
        lock.lock();
    }
}

int VirtualBus::SendFeatureReport(int number, uint64_t generation, std::span<const uint8_t> report,
                                  std::string& error) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = LiveLocked(number, generation, error);
    if (!node) {
        return -1;
    }
    if (node->role == NodeRole::Passive || report.size() < 3 ||
        report[0] != protocol::kFeatureReportId) {
        error = "the interface has no such feature report";
        LogLocked(IoRecord::Kind::FeatureFailed, node->path, report);
        return -1;
    }
    LogLocked(IoRecord::Kind::FeatureSend, node->path, report);
    if (report[1] == protocol::kFeatureTextRequest) {
        node->featureTarget = report[2];
    }
    return static_cast<int>(report.size());
}

int VirtualBus::GetFeatureReport(int number, uint64_t generation, std::span<uint8_t> buffer,
                                 std::string& error) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = LiveLocked(number, generation, error);
    if (!node) {
        return -1;
    }
    if (node->role == NodeRole::Passive || buffer.empty() ||
        buffer[0] != protocol::kFeatureReportId || Take(m_faults.featureFailures)) {
        error = "getting the feature report failed";
        LogLocked(IoRecord::Kind::FeatureFailed, node->path, {});
        return -1;
    }
    std::vector<uint8_t> answer;
    if (m_faults.featureAnswer) {
        answer = *m_faults.featureAnswer;
    } else {
        std::string text;
        if (node->featureTarget == protocol::kFeatureTargetReceiver) {
            if (node->role == NodeRole::Receiver) {
                text = m_mouse.ReceiverText();
            }
        } else if (node->featureTarget == protocol::kFeatureTargetMouse) {
            if (node->role == NodeRole::Mouse || node->mouseAwake) {
                text = m_mouse.MouseText();
            }
        }
        text.resize(std::min(text.size(), kMaxFeatureText));
        answer.assign(kFeatureSize, 0);
        answer[0] = protocol::kFeatureReportId;
        answer[1] = protocol::kFeatureTextRequest;
        answer[2] = static_cast<uint8_t>(text.size());
        std::copy(text.begin(), text.end(), answer.begin() + protocol::kFeatureTextOffset);
    }
    const size_t n = std::min(answer.size(), buffer.size());
    std::copy_n(answer.begin(), n, buffer.begin());
    LogLocked(IoRecord::Kind::FeatureGet, node->path, buffer.first(n));
    return static_cast<int>(n);
}

bool VirtualBus::Strings(int number, uint64_t generation, std::u16string* manufacturer,
                         std::u16string* product, std::string& error) {
    std::lock_guard lock(m_mutex);
    VirtualNode* node = LiveLocked(number, generation, error);
    if (!node) {
        return false;
    }
    if (manufacturer) {
        *manufacturer = node->manufacturer;
    }
    if (product) {
        *product = node->product;
    }
    return true;
}

size_t VirtualBus::OutputReportLength(int number) const {
    std::lock_guard lock(m_mutex);
    for (const VirtualNode& node : m_nodes) {
        if (node.number == number) {
            return node.outputReportLength;
        }
    }
    return 0;
}

VirtualNode* VirtualBus::FindLocked(int number) {
    for (VirtualNode& node : m_nodes) {
        if (node.number == number) {
            return &node;
        }
    }
    return nullptr;
}

VirtualNode* VirtualBus::FindLocked(const std::string& path) {
    for (VirtualNode& node : m_nodes) {
        if (node.path == path) {
            return &node;
        }
    }
    return nullptr;
}

VirtualNode* VirtualBus::LiveLocked(int number, uint64_t generation, std::string& error) {
    VirtualNode* node = FindLocked(number);
    if (!m_plugged || generation != m_generation || !node) {
        error = "the device has been disconnected";
        return nullptr;
    }
    return node;
}

void VirtualBus::LogLocked(IoRecord::Kind kind, const std::string& path,
                           std::span<const uint8_t> bytes) {
    if (m_log.size() >= kLogLimit) {
        m_log.erase(m_log.begin(), m_log.begin() + kLogLimit / 2);
    }
    m_log.push_back(IoRecord{kind, Now(), path, std::vector<uint8_t>(bytes.begin(), bytes.end())});
}

std::vector<std::string> VirtualBus::PathsLocked() const {
    std::vector<std::string> paths;
    for (const VirtualNode& node : m_nodes) {
        paths.push_back(node.path);
    }
    return paths;
}

void VirtualBus::Notify(const std::vector<std::string>& paths, bool arrived) {
    PlugListener listener;
    {
        std::lock_guard lock(m_mutex);
        listener = m_listener;
    }
    if (!listener) {
        return;
    }
    for (const std::string& path : paths) {
        listener(path, arrived);
    }
}

}  // namespace sim
