#pragma once

#include <array>
#include <string_view>

namespace input {

// The emoji a mouse button can carry, by number (1 to 109, the number the button entry and the
// mouse's emoji notice carry): each is a short code in square brackets, typed literally, that a
// chat program knowing these codes shows as the matching picture.
inline constexpr int kEmojiCount = 109;
extern const std::array<std::u16string_view, kEmojiCount> kEmojiTexts;

// The text of an emoji number; empty for a number outside 1 to 109.
std::u16string_view EmojiText(int number);

}  // namespace input
