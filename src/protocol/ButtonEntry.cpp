#include "protocol/ButtonEntry.h"

#include "protocol/KeyTables.h"
#include "protocol/MacroImage.h"

namespace protocol {

namespace {

constexpr int kSlotOfButton[kButtonSlots] = {0, 1, 2, 4, 3, 5, 6, 7, 8};

constexpr ButtonEntry kFactoryDefaults[kButtonSlots] = {
    {0x20, 0x01, 0x00, 0x00}, {0x20, 0x02, 0x00, 0x00}, {0x20, 0x04, 0x00, 0x00},
    {0x20, 0x08, 0x00, 0x00}, {0x20, 0x10, 0x00, 0x00}, {0x21, 0x55, 0x00, 0x00},
    {0x21, 0x38, 0x01, 0x00}, {0x21, 0x38, 0xFF, 0x00}, {0x00, 0x00, 0x00, 0x00},
};

// Functions with one fixed entry, and the text number the reader stores for them (0: none).
struct FixedFunction {
    int type;
    ButtonEntry entry;
    int text;
};

constexpr FixedFunction kFixedFunctions[] = {
    {kFnLeft, {0x20, 0x01, 0x00, 0x00}, 121},
    {kFnMiddle, {0x20, 0x04, 0x00, 0x00}, 123},
    {kFnRight, {0x20, 0x02, 0x00, 0x00}, 122},
    {kFnLeftDouble, {0x20, 0x01, 0x02, 0x00}, 126},
    {kFnForward, {0x20, 0x10, 0x00, 0x00}, 124},
    {kFnBack, {0x20, 0x08, 0x00, 0x00}, 125},
    {kFnDpiUp, {0x21, 0x38, 0x01, 0x00}, 127},
    {kFnDpiDown, {0x21, 0x38, 0xFF, 0x00}, 128},
    {kFnDevice55, {0x21, 0x55, 0x00, 0x00}, 90},
    {kFnDeviceAA, {0x21, 0xAA, 0x00, 0x00}, 91},
    {kFnDevice61, {0x21, 0x61, 0x00, 0x00}, 156},
    {kFnDevice62, {0x21, 0x62, 0x00, 0x00}, 0},
    {kFnGroup1Level1, {0xF0, 0x01, 0x01, 0x00}, 150},
    {kFnGroup1Level2, {0xF0, 0x01, 0x02, 0x00}, 151},
    {kFnGroup1Level3, {0xF0, 0x01, 0x03, 0x00}, 152},
    {kFnGroup2Level1, {0xF0, 0x02, 0x01, 0x00}, 153},
    {kFnGroup2Level2, {0xF0, 0x02, 0x02, 0x00}, 154},
    {kFnGroup2Level3, {0xF0, 0x02, 0x03, 0x00}, 155},
};

// Multimedia (type 25) and system shortcuts (type 26): value v -> entry and text number.
struct ValuedFunction {
    int type;
    int value;
    ButtonEntry entry;
    int text;
};

constexpr ValuedFunction kValuedFunctions[] = {
    {kFnMultimedia, 1, {0x30, 0x83, 0x01, 0x00}, 178},
    {kFnMultimedia, 2, {0x30, 0xCD, 0x00, 0x00}, 179},
    {kFnMultimedia, 3, {0x30, 0xB7, 0x00, 0x00}, 182},
    {kFnMultimedia, 4, {0x30, 0xB6, 0x00, 0x00}, 180},
    {kFnMultimedia, 5, {0x30, 0xB5, 0x00, 0x00}, 181},
    {kFnMultimedia, 6, {0x30, 0xE9, 0x00, 0x00}, 175},
    {kFnMultimedia, 7, {0x30, 0xEA, 0x00, 0x00}, 176},
    {kFnMultimedia, 8, {0x30, 0xE2, 0x00, 0x00}, 177},
    {kFnShortcut, 1, {0x30, 0x6F, 0x00, 0x00}, 185},
    {kFnShortcut, 2, {0x30, 0x70, 0x00, 0x00}, 186},
    {kFnShortcut, 3, {0x30, 0x92, 0x01, 0x00}, 187},
    {kFnShortcut, 4, {0x10, 0x08, 0x08, 0x00}, 189},
    {kFnShortcut, 5, {0x10, 0x08, 0x07, 0x00}, 188},
    {kFnShortcut, 6, {0x30, 0x23, 0x02, 0x00}, 190},
    {kFnShortcut, 7, {0x30, 0x8A, 0x01, 0x00}, 191},
    {kFnShortcut, 8, {0x10, 0x00, 0x3E, 0x00}, 192},
    {kFnShortcut, 9, {0x10, 0x04, 0x2B, 0x00}, 193},
    {kFnShortcut, 10, {0x10, 0x08, 0x46, 0x00}, 194},
    {kFnShortcut, 11, {0x10, 0x01, 0x06, 0x00}, 31},
    {kFnShortcut, 12, {0x10, 0x01, 0x19, 0x00}, 32},
    {kFnShortcut, 13, {0x10, 0x01, 0x1B, 0x00}, 36},
};

// E[1], E[2] of the default function (type 24) per button number 1..9.
constexpr uint8_t kDefaultParameters[kButtonSlots][2] = {
    {0x01, 0x00}, {0x02, 0x00}, {0x04, 0x00}, {0x10, 0x00}, {0x08, 0x00},
    {0x00, 0x00}, {0x38, 0x01}, {0x38, 0xFF}, {0x21, 0xAA},
};

constexpr char16_t kEmojiText[] = u"表情符号";
constexpr int kDefaultFunctionText = 162;

std::u16string TextNumber(int text) {
    const std::string digits = std::to_string(text);
    return std::u16string(digits.begin(), digits.end());
}

ButtonFunction Function(int type, int value, int value2, std::u16string desc) {
    return ButtonFunction{type, value, value2, std::move(desc)};
}

}  // namespace

int SlotOfButton(int keyCode) {
    return (keyCode >= 1 && keyCode <= kButtonSlots) ? kSlotOfButton[keyCode - 1] : -1;
}

int ButtonOfSlot(int slot) {
    for (int button = 1; button <= kButtonSlots; ++button) {
        if (kSlotOfButton[button - 1] == slot) {
            return button;
        }
    }
    return 0;
}

ButtonEntry FactoryDefaultEntry(int slot) {
    return (slot >= 0 && slot < kButtonSlots) ? kFactoryDefaults[slot] : ButtonEntry{};
}

std::u16string KeyboardDescription(int modifierBits, std::u16string_view keyName) {
    struct Modifier {
        int bit;
        const char16_t* name;
    };
    static constexpr Modifier kOrder[] = {
        {0x02, u"Shift"}, {0x01, u"Ctrl"}, {0x08, u"Win"}, {0x04, u"Alt"}};
    std::u16string modifiers;
    for (const Modifier& modifier : kOrder) {
        if (modifierBits & modifier.bit) {
            modifiers += modifiers.empty() ? std::u16string(modifier.name)
                                           : u"+ " + std::u16string(modifier.name);
        }
    }
    if (!modifiers.empty() && !keyName.empty()) {
        return modifiers + u" + " + std::u16string(keyName);
    }
    return modifiers.empty() ? std::u16string(keyName) : modifiers;
}

ButtonEntry EncodeButtonEntry(int keyCode, const ButtonFunction& function,
                              const std::vector<MacroListing>& macros) {
    for (const FixedFunction& fixed : kFixedFunctions) {
        if (fixed.type == function.type) {
            return fixed.entry;
        }
    }
    switch (function.type) {
        case kFnMultimedia:
        case kFnShortcut:
            for (const ValuedFunction& valued : kValuedFunctions) {
                if (valued.type == function.type && valued.value == function.value) {
                    return valued.entry;
                }
            }
            return ButtonEntry{};
        case kFnKeyboard: {
            const int key = ModifierUsageToBits(function.value);
            if (function.value2 == 0 && function.value >= 224 && function.value <= 231) {
                return {0x10, static_cast<uint8_t>(key), 0x00, 0x00};
            }
            return {0x10, static_cast<uint8_t>(function.value2 & 0xFF), static_cast<uint8_t>(key),
                    0x00};
        }
        case kFnMacro: {
            for (size_t n = 0; n < macros.size() && n < kMaxMacros; ++n) {
                if (macros[n].id != function.value) {
                    continue;
                }
                ButtonEntry entry{0x70, static_cast<uint8_t>(n), 0x01, 0x00};
                if (macros[n].playType == 1) {
                    entry[3] = 0x02;
                } else if (macros[n].playType == 2) {
                    entry[3] = 0x03;
                } else {
                    entry[2] = static_cast<uint8_t>(macros[n].playTimes < 2 ? 1 : macros[n].playTimes);
                }
                return entry;
            }
            return {0x70, 0x00, 0x00, 0x00};
        }
        case kFnDefault:
            if (keyCode >= 1 && keyCode <= kButtonSlots) {
                return {0x00, kDefaultParameters[keyCode - 1][0], kDefaultParameters[keyCode - 1][1],
                        0x00};
            }
            return ButtonEntry{};
        case kFnEmoji:
            return {0x50, static_cast<uint8_t>(function.value & 0xFF), 0x00, 0x00};
        default:
            return ButtonEntry{};
    }
}

std::optional<ButtonFunction> DecodeButtonEntry(const ButtonEntry& entry,
                                                const std::vector<MacroListing>& macros) {
    const uint8_t d0 = entry[0];
    const uint8_t d1 = entry[1];
    const uint8_t d2 = entry[2];
    if ((d0 == 0xFF && d1 == 0xFF) || entry == ButtonEntry{}) {
        return std::nullopt;
    }
    switch (d0) {
        case 0x00:
            return Function(kFnDefault, 1, 0, TextNumber(kDefaultFunctionText));
        case 0x10:
            for (const ValuedFunction& valued : kValuedFunctions) {
                if (valued.type == kFnShortcut && valued.entry[0] == 0x10 && valued.entry[1] == d1 &&
                    valued.entry[2] == d2) {
                    return Function(kFnShortcut, valued.value, 0, TextNumber(valued.text));
                }
            }
            return Function(kFnKeyboard, d2, d1, KeyboardDescription(d1, KeyUsageName(d2)));
        case 0x20:
        case 0x21:
        case 0xF0: {
            // Mouse buttons: the click count matters only for the left button.
            ButtonEntry key{d0, d1, d0 == 0x20 && d1 != 0x01 ? uint8_t(0) : d2, 0x00};
            if (d0 == 0x20 && d1 == 0x01 && d2 != 0x02) {
                key[2] = 0x00;
            }
            if (d0 == 0x21 && d1 != 0x38) {
                key[2] = 0x00;
            }
            for (const FixedFunction& fixed : kFixedFunctions) {
                // The reader has no text for 21 62 and does not store it.
                if (fixed.entry == key && fixed.text != 0) {
                    return Function(fixed.type, 1, 0, TextNumber(fixed.text));
                }
            }
            return std::nullopt;
        }
        case 0x30:
            for (const ValuedFunction& valued : kValuedFunctions) {
                if (valued.entry[0] != 0x30 || valued.entry[1] != d1) {
                    continue;
                }
                // Usages above 0xFF need their high byte; the one-byte usages match on D1 alone.
                if (valued.entry[2] != 0x00 && valued.entry[2] != d2) {
                    continue;
                }
                return Function(valued.type, valued.value, 0, TextNumber(valued.text));
            }
            return std::nullopt;
        case 0x50:
            return Function(kFnEmoji, d1, 0, kEmojiText);
        case 0x70:
            if (d1 < macros.size()) {
                return Function(kFnMacro, macros[d1].id, 0, macros[d1].name);
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace protocol
