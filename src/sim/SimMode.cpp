#include "sim/SimMode.h"

namespace sim {

namespace {

struct ModeName {
    SimMode mode;
    std::string_view name;
};
constexpr ModeName kModeNames[] = {
    {SimMode::Wired, "wired"},
    {SimMode::Receiver, "receiver"},
    {SimMode::ReceiverOffline, "receiver-offline"},
    {SimMode::Bluetooth, "bluetooth"},
};

}  // namespace

std::string_view SimModeName(SimMode mode) {
    for (const ModeName& entry : kModeNames) {
        if (entry.mode == mode) {
            return entry.name;
        }
    }
    return {};
}

std::optional<SimMode> ParseSimMode(std::string_view name) {
    for (const ModeName& entry : kModeNames) {
        if (entry.name == name) {
            return entry.mode;
        }
    }
    return std::nullopt;
}

}  // namespace sim
