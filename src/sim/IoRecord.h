#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// One thing that happened on a virtual HID interface, for tests and diagnostics.
struct IoRecord {
    enum class Kind {
        Open,
        Close,
        Write,        // bytes: the report as written, report ID first
        WriteFailed,  // bytes: the report that was refused
        Read,         // bytes: what the reader got
        ReadTimeout,
        ReadFailed,
        FeatureSend,  // bytes: the feature report
        FeatureGet,   // bytes: what the reader got
        FeatureFailed,
    };
    Kind kind = Kind::Open;
    uint64_t time = 0;  // the clock's TickCount64 when it happened
    std::string path;
    std::vector<uint8_t> bytes;
};

}  // namespace sim
