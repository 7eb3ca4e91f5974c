#pragma once

#include <string>

namespace device {

// One supported identifier row of the device manager, filled from the catalogue by the
// connection refresh.
struct DeviceIdEntry {
    int vendorId = 0;     // USB / Bluetooth vendor id
    int productId = 0;    // product id
    std::u16string text;  // always empty
    int deviceType = 0;   // model family number
    int mode = 0;         // ConnectionMode of this identifier pair

    bool operator==(const DeviceIdEntry&) const = default;
};

}  // namespace device
