#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/CatalogueTarget.h"
#include "device/DeviceConnection.h"
#include "device/DeviceIdEntry.h"
#include "device/ProtocolTrace.h"
#include "platform/HidBackend.h"

namespace device {

// The one object through which the program talks to HID devices. It enumerates the HID
// interfaces, keeps an open connection for every interface of a supported mouse or receiver,
// decides which connection carries the traffic, and offers the raw report write and read, the
// receiver exchange and the receiver's "is your mouse there" query. The mouse command exchange
// and the feature text query are built on these (protocol/ExchangeCommand.h,
// protocol/QueryFeatureString.h).
//
// It talks to a platform::HidBackend and never knows whether that is real hardware or the
// virtual mouse.
//
// Threads: the worker thread does every exchange and rebuilds the connections; the window
// thread may ask for the connection kind, the connections and the id table at any time. One
// mutex guards the connection list, the id table, the filter and the cache; no lock is held
// during I/O. The I/O primitives (Write, Read, ExchangeReceiver...) run on the worker only.
class DeviceManager final : public CatalogueTarget {
  public:
    static constexpr size_t kReportSize = 65;  // report ID 0 and 64 data bytes
    static constexpr size_t kDataSize = 64;
    using ReceiverBuffer = std::array<uint8_t, kDataSize>;

    // The receiver's vendor collection and the mouse's vendor collection.
    static constexpr uint16_t kVendorUsagePage = 0xFF01;
    static constexpr uint16_t kVendorUsage = 0x10;
    static constexpr uint16_t kReceiverUsagePage = 0xFF0A;
    static constexpr uint16_t kReceiverUsage = 0x01;

    // A manager on the given backend, which must outlive it (or be replaced first).
    explicit DeviceManager(platform::HidBackend& backend);
    ~DeviceManager() override;
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // The process-wide manager, made on first use (thread-safe) on the real HID backend (hidapi,
    // initialised only when first needed) and destroyed at process end, closing every
    // connection. Its protocol trace starts from VARNETH_TRACE.
    static DeviceManager& Instance();

    // Makes this manager talk to another backend; null returns to the real one (for a manager
    // made with a backend of its own, null keeps that one). Every connection is closed first,
    // opened is cleared and the cache forgotten. The backend must outlive its use.
    void SetBackend(platform::HidBackend* backend);
    // The backend in use.
    platform::HidBackend& Backend();

    // The supported identifiers.
    void ClearIdTable();
    void AddIdEntry(int vendorId, int productId, std::u16string text, int deviceType, int mode);
    bool IsSupported(int vendorId, int productId) const;
    // Device type / mode of the first entry with this pair; 0 when absent.
    int TypeOf(int vendorId, int productId) const;
    int ModeOf(int vendorId, int productId) const;
    std::vector<DeviceIdEntry> IdTable() const;

    // CatalogueTarget: what loading the catalogue does to the manager.
    void ClearSupportedIds() override { ClearIdTable(); }
    void SetDeviceTypeFilter(int deviceType) override;
    void ClearActiveConnectionCache() override;
    int DeviceTypeFilter() const;

    // Appends a connection for every supported interface found: a Bluetooth bookkeeping entry
    // for every keyboard collection of a supported device over HID-over-GATT, and an open
    // connection for every mouse vendor collection (0xFF01/0x10) and receiver collection
    // (0xFF0A/0x01). A receiver (mode other than 0) is asked whether its mouse is online. Other
    // collections are opened and closed again. The id table must be filled first.
    void EnumerateDevices();
    // Does nothing while not opened; otherwise clears opened, closes every device and empties
    // the list. Does not touch the cached active connection.
    void CloseAll();
    // The device side of a connection refresh: forget the cache, close every connection
    // (whatever the opened flag says), EnumerateDevices, set opened.
    void RebuildConnections();
    // Whether a refresh has enumerated the devices; exchanges fail while it is false.
    bool IsOpened() const { return m_opened.load(); }
    void SetOpened(bool opened) { m_opened.store(opened); }

    // False when there is no connection; otherwise fills `out` with all connections (filter 0)
    // or those of the given device type, and returns true.
    bool CollectConnections(std::vector<DeviceConnection>& out, int deviceTypeFilter = 0) const;
    // Index of the first connection with these values; -1 if none.
    int FindConnection(int vendorId, int productId, int mode) const;

    // The device that carries all traffic, or null. Among the connections of the filtered
    // device type it prefers the first wired one (mode 0), then the first Bluetooth entry
    // (mode 2), then the first mode-1 receiver if its mouse is online, then the first mode-3
    // receiver if its mouse is online. The choice is cached until ClearActiveConnectionCache;
    // a Bluetooth choice has no device (every exchange then fails) and is not cached.
    std::shared_ptr<platform::HidDevice> ActiveConnection();
    // The mode of the connection ActiveConnection would choose (0, 2, 1 or 3), -1 when none.
    // Does not touch the cache. Safe from the window thread.
    int GetConnectionKind() const;

    // Asks a receiver whether its mouse is connected and stores the answer in its online flag;
    // a wired connection is online by definition. Returns the online flag (unchanged when the
    // receiver did not answer).
    int QueryReceiverOnline(DeviceConnection& connection);
    // One request/answer exchange with a receiver: the 64 request bytes go out with the last
    // one replaced by the checksum that makes the data add up to 0xA1; true with the 64 answer
    // bytes in `buffer` when an answer of exactly 64 bytes came back.
    bool ExchangeReceiver(platform::HidDevice* device, ReceiverBuffer& buffer);

    // Writes one 65-byte report (report ID 0 first), padded with zeros when the interface's
    // output report is longer. Bytes written, or -1 (also for a null device).
    int Write(platform::HidDevice* device, std::span<const uint8_t, kReportSize> report);
    // Reads one input report into buffer within timeoutMs. 0 on time-out, -1 on error (or null
    // device), otherwise the number of bytes; never more than the buffer holds.
    int Read(platform::HidDevice* device, std::span<uint8_t> buffer, int timeoutMs);
    // Feature reports, report ID first. Bytes sent / received, -1 on failure.
    int SendFeatureReport(platform::HidDevice* device, std::span<const uint8_t> report);
    int GetFeatureReport(platform::HidDevice* device, std::span<uint8_t> buffer);

    // The text of the last failing HID call made by the manager; empty when none.
    std::string LastError() const;
    // The protocol trace every report written or read goes through.
    ProtocolTrace& Trace() { return m_trace; }

  private:
    DeviceManager();  // Instance(): the real backend, made when first needed
    void RecordError(const std::string& text);
    // The connection ActiveConnection would choose, or null. Caller holds m_mutex.
    const DeviceConnection* ChooseLocked() const;
    const DeviceIdEntry* FindIdLocked(int vendorId, int productId) const;
    void CloseAllLocked();

    mutable std::mutex m_mutex;
    platform::HidBackend* m_backend = nullptr;  // null: the real backend
    std::unique_ptr<platform::HidBackend> m_realBackend;
    platform::HidBackend* m_ownBackend = nullptr;  // what SetBackend(null) returns to
    std::atomic<bool> m_opened{false};
    std::vector<DeviceConnection> m_connections;
    std::vector<DeviceIdEntry> m_ids;
    int m_filter = 0;
    std::shared_ptr<platform::HidDevice> m_cached;
    std::string m_lastError;
    ProtocolTrace m_trace;
};

}  // namespace device
