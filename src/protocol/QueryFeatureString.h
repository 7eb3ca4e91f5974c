#pragma once

#include <span>
#include <string>

#include "device/DeviceManager.h"

namespace protocol {

// Asks the mouse (target 0) or its receiver (target 1 or 3) for its text through the feature
// report 0x51: sends [0x51, 0x04, target byte, 0...] (21 bytes; target byte 0x00 for the mouse,
// 0xAA for the receiver) on the active connection, then requests the feature report up to ten
// times, 10 ms apart, until one comes back.
//
// `text` is set to "0.0.0" first and replaced by the answer's text when an answer with text
// came: byte 2 is the text length, the text follows from byte 3, up to the first zero byte and
// never past the bytes the answer really holds (at most 18). The bytes are Windows-1252 text.
// Returns false only when the manager is not opened or has no active connection.
bool QueryFeatureString(device::DeviceManager& manager, int target, std::u16string& text);

// The same on the process-wide device manager.
bool QueryFeatureString(int target, std::u16string& text);

// The text of a feature answer as far as it was received (answer holds the bytes returned,
// report ID first), or empty when it carries none.
std::u16string FeatureAnswerText(std::span<const uint8_t> answer);

}  // namespace protocol
