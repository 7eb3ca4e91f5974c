#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

// The bus a HID interface is attached to.
enum class HidBusType : int {
    Unknown = 0,
    Usb = 1,
    Bluetooth = 2,
    I2c = 3,
    Spi = 4,
};

// One enumerated HID interface. On Linux one hidraw node can carry several top-level
// collections; each of them is one record here (they share the path), so a caller looks for a
// collection by its usage page and usage exactly as on a system that gives every collection a
// device of its own.
struct HidDeviceInfo {
    std::string path;                          // what Open() takes (a /dev/hidrawN node)
    uint16_t vendorId = 0;                     // USB / Bluetooth vendor id
    uint16_t productId = 0;                    // product id
    uint16_t releaseNumber = 0;                // device release, binary-coded decimal
    uint16_t usagePage = 0;                    // usage page of this top-level collection
    uint16_t usage = 0;                        // usage of this top-level collection
    int interfaceNumber = -1;                  // USB interface number, -1 when unknown
    HidBusType busType = HidBusType::Unknown;  // bus of the device
    int collectionIndex = 1;                   // 1-based, in report-descriptor order
    int collectionCount = 1;                   // top-level collections on this node
    std::string identity;                      // identity text (see HidIdentity.h)
};

// An open HID interface. Not thread-safe: one thread does the I/O of one device. Errors stay
// with the object: LastError() describes the last failing call on it.
class HidDevice {
  public:
    virtual ~HidDevice() = default;

    // Writes one output report; report[0] is the report ID (0 for a device without report IDs)
    // followed by the report's bytes. Returns the number of bytes written, or -1 on failure
    // (including a device that has gone or was closed).
    virtual int Write(std::span<const uint8_t> report) = 0;

    // Reads one input report into buffer, waiting at most timeoutMs milliseconds (0: do not
    // wait; negative: wait until a report comes). A report longer than the buffer is cut to
    // the buffer's size. For a device without report IDs the first byte is the report's first
    // data byte. Returns the number of bytes stored, 0 on time-out, -1 on failure.
    virtual int Read(std::span<uint8_t> buffer, int timeoutMs) = 0;

    // Sends a feature report; report[0] is its report ID. Bytes sent, or -1 on failure.
    virtual int SendFeatureReport(std::span<const uint8_t> report) = 0;

    // Gets a feature report. On entry buffer[0] holds the wanted report ID; on success the
    // buffer holds the report with its ID first. Bytes stored (ID included), or -1 on failure.
    virtual int GetFeatureReport(std::span<uint8_t> buffer) = 0;

    // The device's manufacturer and product strings. False (text untouched) on failure.
    virtual bool GetManufacturerString(std::u16string& text) = 0;
    virtual bool GetProductString(std::u16string& text) = 0;

    // Length of the interface's output report in bytes, report ID byte included; 0 when not
    // known. Writers pad shorter reports with zeros to this length.
    virtual size_t OutputReportLength() const = 0;

    // Closes the device; every later call fails. Closing twice is harmless.
    virtual void Close() = 0;

    // Text of the last failure on this device; empty when none.
    virtual std::string LastError() const = 0;
};

// The result of enumerating: every HID interface found, and what went wrong if the list could
// not be read (then the list is empty).
struct HidEnumeration {
    std::vector<HidDeviceInfo> devices;
    std::string error;
};

// The result of opening a path: the device, or null and the reason.
struct HidOpenResult {
    std::unique_ptr<HidDevice> device;
    std::string error;
};

// Access to the computer's HID interfaces. Two implementations exist: the real one on hidapi
// (hidraw) and the virtual mouse. Callers never know which one they talk to.
class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // Every HID interface present, one record per top-level collection, in a stable order.
    virtual HidEnumeration Enumerate() = 0;

    // Opens the interface at path for reading and writing.
    virtual HidOpenResult Open(const std::string& path) = 0;
};

}  // namespace platform
