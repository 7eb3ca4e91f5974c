#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/HidBackend.h"

namespace device {

// One HID interface of a supported mouse or receiver that the device manager keeps open, or a
// Bluetooth bookkeeping entry (no device). Copies share the device; once the manager closes its
// connections every copy's device fails its calls instead of dangling.
struct DeviceConnection {
    int index = 0;                                // connections in the list when this was made
    uint16_t vendorId = 0;                        // from the enumeration record
    uint16_t productId = 0;                       // from the enumeration record
    std::string path;                             // the interface path as enumerated (opened)
    std::string identity;                         // the interface identity text
    std::u16string manufacturer;                  // empty for Bluetooth entries
    std::u16string product;                       // empty for Bluetooth entries
    std::shared_ptr<platform::HidDevice> device;  // null for Bluetooth entries
    int releaseNumber = 0;                        // from the enumeration record
    int deviceType = 0;                           // of the id pair, 0 if not in the table
    int mode = 0;                                 // of the id pair; 2 for Bluetooth entries
    int online = 0;                               // 1 when traffic may go here
    uint16_t usagePage = 0;                       // of the collection this connection is for
    uint16_t usage = 0;
};

}  // namespace device
