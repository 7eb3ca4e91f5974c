#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A HID interface that arrived or was removed, as the window hears of it: one notice per
// top-level collection, named by its identity text (HidIdentity.h).
struct DeviceNotice {
    enum class Kind { Arrival, Removal };
    Kind kind = Kind::Arrival;
    std::string identity;    // the interface's identity text
    std::string path;        // the node it lives on (/dev/hidrawN, or a virtual path)
    uint16_t usagePage = 0;  // usage page and usage of the collection, when known (arrival)
    uint16_t usage = 0;
};

using DeviceNoticeHandler = std::function<void(const DeviceNotice&)>;

}  // namespace platform
