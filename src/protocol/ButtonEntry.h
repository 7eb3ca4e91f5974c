#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace protocol {

// One button's entry on the mouse: E[0] selects the kind (0x00 default, 0x10 keyboard, 0x20 mouse
// button, 0x21 DPI and device functions, 0x30 consumer control, 0x50 emoji, 0x70 macro, 0xF0
// groups), E[1]..E[3] its parameters.
using ButtonEntry = std::array<uint8_t, 4>;

// Number of entry slots the mouse keeps per profile, and of buttons.
inline constexpr int kButtonSlots = 9;

// Function types of a button assignment (the stored macro_type).
enum ButtonFunctionType : int {
    kFnLeft = 1,
    kFnMiddle = 2,
    kFnRight = 3,
    kFnLeftDouble = 4,
    kFnForward = 5,
    kFnBack = 6,
    kFnDpiUp = 7,
    kFnDpiDown = 8,
    kFnDevice55 = 9,
    kFnDeviceAA = 10,
    kFnDevice61 = 11,
    kFnDevice62 = 12,
    kFnGroup1Level1 = 15,
    kFnGroup1Level2 = 16,
    kFnGroup1Level3 = 17,
    kFnGroup2Level1 = 19,
    kFnGroup2Level2 = 20,
    kFnGroup2Level3 = 21,
    kFnKeyboard = 22,
    kFnMacro = 23,
    kFnDefault = 24,
    kFnMultimedia = 25,
    kFnShortcut = 26,
    kFnEmoji = 27,
};

// The function part of a stored button assignment.
struct ButtonFunction {
    int type = 0;         // ButtonFunctionType
    int value = 0;        // macro_value
    int value2 = 0;       // macro_value2
    std::u16string desc;  // macro_desc: a text number as decimal text, a key name or a macro name

    bool operator==(const ButtonFunction&) const = default;
};

// A macro as the button entries see it: its store id, play settings and name, in the store's
// listing order (the order of the macro image).
struct MacroListing {
    int id = 0;
    int playType = 0;
    int playTimes = 0;
    std::u16string name;
};

// Slot of a button number 1..9 (buttons 4 and 5 are crossed); -1 for any other number.
int SlotOfButton(int keyCode);
// Button number of a slot 0..8; 0 for any other slot.
int ButtonOfSlot(int slot);

// The entry a slot carries when the profile has no assignment for its button. Slot 8 and slots
// outside 0..8 are zeros.
ButtonEntry FactoryDefaultEntry(int slot);

// The entry for a button's function. `keyCode` (1..9) matters for the default function (type 24);
// `macros` resolves a macro function's store id to its position in the macro image. A macro that
// is missing, or lies beyond the 32 macros the image holds, gives 70 00 00 00.
ButtonEntry EncodeButtonEntry(int keyCode, const ButtonFunction& function,
                              const std::vector<MacroListing>& macros);

// The function an entry read from the mouse stands for, or nothing for entries that are not
// stored (unprogrammed FF FF .., all zeros, unknown codes, a macro position without a macro).
std::optional<ButtonFunction> DecodeButtonEntry(const ButtonEntry& entry,
                                                const std::vector<MacroListing>& macros);

// The display text of a keyboard entry: modifier names in the order Shift, Ctrl, Win, Alt (later
// ones appended as "+ Ctrl"...), joined to the key name with " + ".
std::u16string KeyboardDescription(int modifierBits, std::u16string_view keyName);

}  // namespace protocol
