#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/HidBackend.h"
#include "platform/HidIdentity.h"

namespace sim {

// What a virtual hidraw node does with output reports.
enum class NodeRole {
    Passive,   // a plain mouse or keyboard interface: writes fail (no output report)
    Mouse,     // the wired mouse's vendor interface: commands go to the mouse
    Receiver,  // the receiver's interface: its own query, and commands while the mouse is awake
};

// An input report waiting to be read, readable from the given time on.
struct PendingReport {
    uint64_t availableAt = 0;
    std::vector<uint8_t> bytes;
};

// One virtual hidraw node with its top-level collections.
struct VirtualNode {
    int number = 0;    // N of hidrawN
    std::string path;  // "/sim/hidrawN"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    int interfaceNumber = -1;
    platform::HidBusType busType = platform::HidBusType::Usb;
    std::string address;  // Bluetooth address, as udev gives it
    std::vector<platform::HidCollection> collections;
    NodeRole role = NodeRole::Passive;
    bool mouseAwake = true;          // receivers: whether their mouse is connected
    size_t outputReportLength = 65;  // report ID byte included
    std::u16string manufacturer;
    std::u16string product;
    std::deque<PendingReport> input;  // reports waiting to be read
    uint8_t featureTarget = 0;        // target byte of the last text request
};

}  // namespace sim
