#pragma once

#include <string_view>

#include "platform/TextTyper.h"

namespace input {

// How long typing pauses after each typed code unit, so the receiving program keeps up.
inline constexpr unsigned kTypingPauseMs = 10;

// Types a text into the window that has the keyboard focus: every carriage return is left out
// (a line break is typed as its line feed alone), then each UTF-16 code unit is pressed and
// released in order, with a pause of kTypingPauseMs after each. A character outside the basic
// plane is handed over as its two surrogate units. Blocks for the whole text (about 10 ms per
// unit). Returns true when every unit was accepted; false when typing is unavailable (no
// display to type into), in which case the rest of the text is skipped rather than waited out.
bool TypeText(std::u16string_view text, platform::TextTyper& keyboard);
bool TypeText(std::u16string_view text);  // with platform::DefaultTextTyper()

// Types the text of an emoji number (see EmojiText). A number without an entry types nothing
// and returns false.
bool TypeEmoji(int number, platform::TextTyper& keyboard);
bool TypeEmoji(int number);  // with platform::DefaultTextTyper()

}  // namespace input
