#include "input/TypeText.h"

#include "base/Clock.h"
#include "input/EmojiTable.h"

namespace input {

bool TypeText(std::u16string_view text, platform::TextTyper& keyboard) {
    bool typed = true;
    for (const char16_t unit : text) {
        if (unit == u'\r') {
            continue;
        }
        if (!keyboard.TypeUnit(unit)) {
            typed = false;
            break;
        }
        base::DefaultClock().Sleep(kTypingPauseMs);
    }
    keyboard.EndText();
    return typed;
}

bool TypeText(std::u16string_view text) {
    return TypeText(text, platform::DefaultTextTyper());
}

bool TypeEmoji(int number, platform::TextTyper& keyboard) {
    const std::u16string_view text = EmojiText(number);
    if (text.empty()) {
        return false;
    }
    return TypeText(text, keyboard);
}

bool TypeEmoji(int number) {
    return TypeEmoji(number, platform::DefaultTextTyper());
}

}  // namespace input
