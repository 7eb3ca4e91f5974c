#pragma once

#include <string>

namespace cli {

// The options every command takes, before or after its name.
struct GlobalOptions {
    bool simulate = false;     // use the virtual mouse instead of the HID devices
    std::string simulateMode;  // how it is attached: "wired" (default), "receiver", ...
    std::string simStateFile;  // keeps the virtual mouse between runs; empty: none
    std::string traceFile;     // the protocol trace; empty: none
    bool json = false;         // print one JSON document instead of text
};

}  // namespace cli
