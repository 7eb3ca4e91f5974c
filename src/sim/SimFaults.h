#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace sim {

// Faults the virtual mouse shows on demand. Counters count down as they are used; -1 means
// "every time" where stated.
struct SimFaults {
    int dropReplies = 0;        // the next N requests get no reply at all (-1: every request)
    int corruptReplies = 0;     // the next N replies start with 0x00 instead of their first byte
    int failWrites = 0;         // the next N writes fail (-1: every write)
    int unplugAfterWrites = 0;  // the device vanishes right after the Nth next write (0: never)
    int featureFailures = 0;    // the next N feature report requests fail (-1: every one)
    uint32_t latencyMs = 0;     // time from a request to its reply becoming readable
    // Raw reports sent instead of the next replies, one per request, first in first out; an
    // empty report means no reply to that request.
    std::deque<std::vector<uint8_t>> scriptedReplies;
    // Raw answer to every feature report request instead of the mouse's own.
    std::optional<std::vector<uint8_t>> featureAnswer;
};

}  // namespace sim
