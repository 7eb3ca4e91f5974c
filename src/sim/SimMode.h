#pragma once

#include <optional>
#include <string_view>

namespace sim {

// How the virtual mouse is attached.
enum class SimMode {
    Wired,            // by cable: the mouse's own vendor interface carries the commands
    Receiver,         // through its 2.4 GHz receiver, the mouse awake
    ReceiverOffline,  // through its receiver, the mouse asleep: only the receiver answers
    Bluetooth,        // over Bluetooth LE: only its keyboard collection is seen
};

// "wired", "receiver", "receiver-offline", "bluetooth".
std::string_view SimModeName(SimMode mode);
// The mode of one of the names above; nothing for any other text.
std::optional<SimMode> ParseSimMode(std::string_view name);

}  // namespace sim
