#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/HidBackend.h"
#include "sim/IoRecord.h"
#include "sim/SimFaults.h"
#include "sim/SimMode.h"
#include "sim/VirtualMouse.h"
#include "sim/VirtualNode.h"

namespace sim {

// The virtual HID world: the nodes the virtual mouse and its receiver show, the mouse itself,
// the faults in force and a log of every I/O. Shared by the backend and every device it opened,
// so a device outliving its backend still fails cleanly. All members are thread-safe; the
// plug listener is called without the lock held.
class VirtualBus {
  public:
    // Identifiers of the virtual mouse family.
    static constexpr uint16_t kVendorId = 0x5A17;
    static constexpr uint16_t kWiredProductId = 0x1001;
    static constexpr uint16_t kReceiverProductId = 0x1002;
    static constexpr uint16_t kBluetoothProductId = 0x1003;
    static constexpr uint16_t kReleaseNumber = 0x0100;
    static constexpr char kBluetoothAddress[] = "a1:b2:c3:d4:e5:f6";

    using PlugListener = std::function<void(const std::string& path, bool arrived)>;

    VirtualBus();

    // Topology. Every Add... returns the path of the node that carries the commands (for
    // Bluetooth: the node with the keyboard collection).
    void ClearNodes();
    void SetMode(SimMode mode);
    // A wired mouse: hidraw "mouse" interface 0, and interface 1 with a keyboard, a consumer
    // and the vendor collection (0xFF01/0x10, third).
    std::string AddWiredMouse(uint16_t productId = kWiredProductId);
    // A receiver: interface 0 (mouse) and interface 1 with the receiver collection 0xFF0A/0x01.
    std::string AddReceiver(uint16_t productId = kReceiverProductId, bool mouseAwake = true);
    // A Bluetooth LE mouse: one node with a keyboard and a mouse collection.
    std::string AddBluetoothMouse(uint16_t productId = kBluetoothProductId);
    // Any node; its number and path are assigned here.
    std::string AddNode(VirtualNode node);
    std::vector<VirtualNode> Nodes() const;

    // Whether the mouse behind every receiver (or one receiver) is awake.
    void SetMouseAwake(bool awake);
    bool SetMouseAwake(const std::string& path, bool awake);
    bool SetOutputReportLength(const std::string& path, size_t length);

    // Faults and latency.
    void SetFaults(SimFaults faults);
    SimFaults Faults() const;
    void SetLatency(uint32_t ms);

    // Unplugging makes every node vanish: open devices fail from then on, even after a replug,
    // which brings the nodes back for new enumerations.
    void Unplug();
    void Replug();
    bool IsPlugged() const;
    void SetPlugListener(PlugListener listener);

    // An unsolicited notification (AA FA .. event v1 v2) on the node that carries traffic (the
    // wired interface, else an awake receiver). False when there is none.
    bool QueueNotification(uint8_t event, uint8_t value1, uint8_t value2);
    // Any input report on a node, readable at once.
    bool QueueInputReport(const std::string& path, std::vector<uint8_t> report);

    // The mouse: a copy to look at, or a change made under the lock (saved to the state file).
    VirtualMouse Mouse() const;
    void EditMouse(const std::function<void(VirtualMouse&)>& edit);
    // Keeps the mouse in a JSON file: loads it now when it exists, saves after every change.
    // False (nothing loaded, file not used) when the file exists but is not a valid state.
    bool SetStateFile(const std::string& path, std::string& error);
    bool SaveState(std::string& error) const;

    std::vector<IoRecord> IoLog() const;
    void ClearIoLog();

    // --- used by the backend and its devices ---
    platform::HidEnumeration Enumerate() const;
    // Looks a path up for opening: its node number and the plug generation, or false.
    bool OpenNode(const std::string& path, int& number, uint64_t& generation, std::string& error);
    void CloseNode(int number);
    int Write(int number, uint64_t generation, std::span<const uint8_t> report, std::string& error);
    int Read(int number, uint64_t generation, std::span<uint8_t> buffer, int timeoutMs,
             std::string& error);
    int SendFeatureReport(int number, uint64_t generation, std::span<const uint8_t> report,
                          std::string& error);
    int GetFeatureReport(int number, uint64_t generation, std::span<uint8_t> buffer,
                         std::string& error);
    bool Strings(int number, uint64_t generation, std::u16string* manufacturer,
                 std::u16string* product, std::string& error);
    size_t OutputReportLength(int number) const;

  private:
    VirtualNode* FindLocked(int number);
    VirtualNode* FindLocked(const std::string& path);
    VirtualNode* LiveLocked(int number, uint64_t generation, std::string& error);
    void LogLocked(IoRecord::Kind kind, const std::string& path, std::span<const uint8_t> bytes);
    void SaveLocked();
    std::vector<std::string> PathsLocked() const;
    void Notify(const std::vector<std::string>& paths, bool arrived);

    mutable std::mutex m_mutex;
    std::vector<VirtualNode> m_nodes;
    int m_nextNumber = 0;
    VirtualMouse m_mouse;
    SimFaults m_faults;
    bool m_plugged = true;
    uint64_t m_generation = 1;
    std::string m_stateFile;
    std::vector<IoRecord> m_log;
    PlugListener m_listener;
};

}  // namespace sim
