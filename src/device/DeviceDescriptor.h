#pragma once

#include <string>
#include <vector>

namespace device {

// Connection modes of a catalogue entry: 0 wired USB, 1 and 3 receiver dongle, 2 Bluetooth LE.
enum ConnectionMode : int {
    kModeWired = 0,
    kModeReceiver = 1,
    kModeBluetooth = 2,
    kModeReceiverAlt = 3,
};

// The one device type this program works with.
inline constexpr int kDeviceTypeInEffect = 101;

// One entry of the device catalogue. A fresh record has empty texts and zero numbers.
struct DeviceDescriptor {
    std::u16string name;              // display name of the mouse model
    int deviceType = 0;               // model family number
    std::u16string databaseName;      // base name of the model's profile database file
    int mode = 0;                     // ConnectionMode
    int vendorId = 0;                 // USB vendor identifier
    int productId = 0;                // USB product identifier
    std::u16string description;       // free text describing the mode
    std::u16string interfacePattern;  // searched in the upper-cased interface identity text

    bool operator==(const DeviceDescriptor&) const = default;
};

using DeviceDescriptorList = std::vector<DeviceDescriptor>;

}  // namespace device
