#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/CommandSet.h"

namespace protocol {

// The macro image the mouse plays macros from: a 64-byte header of 32 start offsets (16-bit
// little-endian, 0 for no macro) followed by 4-byte events. It never grows past 4224 bytes.
inline constexpr size_t kMacroImageCapacity = 4224;
inline constexpr size_t kMacroHeaderSize = 64;
inline constexpr size_t kMaxMacros = 32;

// Step types of a stored macro step.
enum MacroStepType : int {
    kStepDelay = 1,
    kStepKeyDown = 2,
    kStepKeyUp = 3,
    kStepMouseDown = 4,
    kStepMouseUp = 5,
    kStepWheelUp = 6,
    kStepWheelDown = 7,
    kStepMoveLeft = 8,
    kStepMoveRight = 9,
    kStepMoveUp = 10,
    kStepMoveDown = 11,
    kStepMoveCombined = 12,
};

// One stored step of a macro, as the image needs it.
struct MacroStepData {
    int type = 0;
    int value = 0;
    std::u16string desc;
};

using MacroSteps = std::vector<MacroStepData>;

struct MacroImage {
    std::vector<uint8_t> bytes;  // the image, exactly its length (at least the 64 header bytes)
    size_t macrosPlaced = 0;     // macros that got a header entry
    bool truncated = false;      // a macro or an event did not fit and was left out
};

// Builds the image from the macros in the store's listing order. Delays are carried by the event
// before them (10 ms between two events without a delay step); the last event of each macro has
// bit 7 of its action byte set. A macro without events (no steps, or only delays) gets one
// terminator event, so its header entry never points at the next macro. Macros past the 32nd,
// and events past the 4224th byte, are left out; a macro cut short still ends with the end bit.
MacroImage BuildMacroImage(const std::vector<MacroSteps>& macros);

// The action and code bytes of one non-delay step, and the bits it sets in the event's byte 1.
struct MacroEventCode {
    uint8_t action = 0;
    uint8_t code = 0;
    uint8_t delayHighBits = 0;
};
MacroEventCode EncodeMacroStep(const MacroStepData& step);

// One chunk of the image as the mouse receives it.
struct MacroChunk {
    uint16_t offset = 0;
    uint8_t length = 0;
    std::array<uint8_t, static_cast<size_t>(kMacroChunkSize)> data{};  // bytes past the image end are zero
};

// The chunks an image is sent in: 56 bytes each, the last one shorter when the length is not a
// multiple of 56.
std::vector<MacroChunk> SplitMacroImage(const std::vector<uint8_t>& image);

}  // namespace protocol
