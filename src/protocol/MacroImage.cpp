#include "protocol/MacroImage.h"

#include <algorithm>

#include "protocol/KeyTables.h"

namespace protocol {

namespace {

constexpr uint8_t kEndBit = 0x80;
constexpr int kDelayBetweenEvents = 10;

bool Contains(const std::u16string& text, std::u16string_view word) {
    return text.find(word) != std::u16string::npos;
}

void OrDelay(uint8_t* event, int delay) {
    event[0] |= static_cast<uint8_t>(delay & 0xFF);
    event[1] |= static_cast<uint8_t>((delay >> 8) & 0xFF);
}

}  // namespace

MacroEventCode EncodeMacroStep(const MacroStepData& step) {
    MacroEventCode code;
    switch (step.type) {
        case kStepKeyDown:
        case kStepKeyUp: {
            // Virtual keys 224..231 use the modifier variant of the key actions.
            const bool variant = step.value >= 224 && step.value <= 231;
            if (step.type == kStepKeyDown) {
                code.action = variant ? 0x41 : 0x42;
            } else {
                code.action = variant ? 0x01 : 0x02;
            }
            code.code = static_cast<uint8_t>(VirtualKeyToUsage(step.value));
            break;
        }
        case kStepMouseDown:
        case kStepMouseUp:
            if (Contains(step.desc, u"Scroll Up")) {
                code.action = 0x44, code.code = 0x01;
            } else if (Contains(step.desc, u"Scroll Down")) {
                code.action = 0x44, code.code = 0xFF;
            } else {
                code.action = step.type == kStepMouseDown ? 0x43 : 0x03;
                code.code = static_cast<uint8_t>(step.value & 0xFF);
            }
            break;
        case kStepWheelUp:
            code.action = 0x44, code.code = 0x01;
            break;
        case kStepWheelDown:
            code.action = 0x44, code.code = 0xFF;
            break;
        case kStepMoveLeft:
        case kStepMoveRight:
        case kStepMoveUp:
        case kStepMoveDown:
            code.action = 0x46, code.code = static_cast<uint8_t>(step.value & 0xFF);
            break;
        case kStepMoveCombined: {
            const int first = step.value & 0xFF;
            const int second = (step.value >> 8) & 0xFF;
            code.action = 0x46;
            code.code = static_cast<uint8_t>(((second & 0x0F) | (first << 4)) & 0xFF);
            code.delayHighBits = static_cast<uint8_t>(((first & 0x80) ? 0x40 : 0) |
                                                      ((second & 0x80) ? 0x80 : 0));
            break;
        }
        default:
            break;
    }
    return code;
}

MacroImage BuildMacroImage(const std::vector<MacroSteps>& macros) {
    MacroImage image;
    image.bytes.assign(kMacroImageCapacity, 0);
    uint8_t* bytes = image.bytes.data();
    size_t c = kMacroHeaderSize;
    const auto room = [&] { return c + 4 <= kMacroImageCapacity; };

    for (size_t i = 0; i < macros.size(); ++i) {
        if (i >= kMaxMacros || !room()) {
            image.truncated = true;
            break;
        }
        bytes[2 * i] = static_cast<uint8_t>(c & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(c >> 8);
        ++image.macrosPlaced;

        const MacroSteps& steps = macros[i];
        uint8_t* previous = nullptr;  // the macro's latest event
        int delay = 0;
        for (size_t s = 0; s < steps.size(); ++s) {
            const MacroStepData& step = steps[s];
            const bool last = s + 1 == steps.size();
            if (step.type == kStepDelay) {
                delay += step.value;
                if (last && previous) {
                    OrDelay(previous, std::max(delay, 0));
                    previous[2] |= kEndBit;
                }
                continue;
            }
            if (!room()) {
                image.truncated = true;
                break;
            }
            if (previous) {
                OrDelay(previous, delay > 0 ? delay : kDelayBetweenEvents);
            }
            uint8_t* event = bytes + c;
            const MacroEventCode code = EncodeMacroStep(step);
            event[1] = code.delayHighBits;
            event[2] = static_cast<uint8_t>(code.action | (last ? kEndBit : 0));
            event[3] = code.code;
            previous = event;
            delay = 0;
            c += 4;
        }
        if (!previous) {
            // No event at all (no steps, or only delays): a lone terminator keeps the macro's
            // start from pointing at the next macro.
            bytes[c + 2] = kEndBit;
            c += 4;
        } else {
            previous[2] |= kEndBit;  // also ends a macro that was cut short at the image end
        }
    }
    image.bytes.resize(c);
    return image;
}

std::vector<MacroChunk> SplitMacroImage(const std::vector<uint8_t>& image) {
    std::vector<MacroChunk> chunks;
    const size_t chunkSize = static_cast<size_t>(kMacroChunkSize);
    for (size_t offset = 0; offset < image.size(); offset += chunkSize) {
        MacroChunk chunk;
        chunk.offset = static_cast<uint16_t>(offset);
        chunk.length = static_cast<uint8_t>(std::min(chunkSize, image.size() - offset));
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), chunk.length,
                    chunk.data.begin());
        chunks.push_back(chunk);
    }
    return chunks;
}

}  // namespace protocol
