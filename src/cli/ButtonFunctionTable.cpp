#include "cli/ButtonFunctionTable.h"

#include <array>

#include "base/Numbers.h"
#include "i18n/LanguageFile.h"
#include "i18n/LocalizeName.h"
#include "protocol/ButtonEntry.h"

namespace cli {

namespace {

using Kind = ButtonFunctionTable::Kind;
using protocol::ButtonFunctionType;

constexpr std::array<ButtonFunctionTable::Function, 18> kFunctions{{
    {"left-click", protocol::kFnLeft, Kind::Fixed, 121},
    {"middle-click", protocol::kFnMiddle, Kind::Fixed, 123},
    {"right-click", protocol::kFnRight, Kind::Fixed, 122},
    {"forward", protocol::kFnForward, Kind::Fixed, 124},
    {"back", protocol::kFnBack, Kind::Fixed, 125},
    {"dpi-up", protocol::kFnDpiUp, Kind::Fixed, 127},
    {"dpi-down", protocol::kFnDpiDown, Kind::Fixed, 128},
    {"group1-level1", protocol::kFnGroup1Level1, Kind::Fixed, 150},
    {"group1-level2", protocol::kFnGroup1Level2, Kind::Fixed, 151},
    {"group1-level3", protocol::kFnGroup1Level3, Kind::Fixed, 152},
    {"group2-level1", protocol::kFnGroup2Level1, Kind::Fixed, 153},
    {"group2-level2", protocol::kFnGroup2Level2, Kind::Fixed, 154},
    {"group2-level3", protocol::kFnGroup2Level3, Kind::Fixed, 155},
    {"key", protocol::kFnKeyboard, Kind::Keyboard, 160},
    {"macro", protocol::kFnMacro, Kind::Macro, 161},
    {"default", protocol::kFnDefault, Kind::Fixed, 162},
    {"multimedia", protocol::kFnMultimedia, Kind::Multimedia, 163},
    {"shortcut", protocol::kFnShortcut, Kind::Shortcut, 164},
}};

// The dialog's multimedia list (the media player is not offered).
constexpr std::array<ButtonFunctionTable::Choice, 7> kMultimedia{{
    {"play-pause", 2, 179},
    {"stop", 3, 182},
    {"previous-track", 4, 180},
    {"next-track", 5, 181},
    {"volume-up", 6, 175},
    {"volume-down", 7, 176},
    {"mute", 8, 177},
}};

// The dialog's system shortcut list, in its order (refresh is not offered).
constexpr std::array<ButtonFunctionTable::Choice, 12> kShortcuts{{
    {"brightness-up", 1, 185},
    {"brightness-down", 2, 186},
    {"calculator", 3, 187},
    {"show-desktop", 5, 188},
    {"file-manager", 4, 189},
    {"mail", 7, 191},
    {"browser-home", 6, 190},
    {"switch-windows", 9, 193},
    {"screenshot", 10, 194},
    {"copy", 11, 31},
    {"paste", 12, 32},
    {"cut", 13, 36},
}};

constexpr std::array<int, 7> kKeyCodes{1, 2, 3, 4, 5, 7, 8};

// Stored descriptions: the language text number by function type (value 0 matches any value),
// and by type and value for the functions with several entries.
struct DescriptionRow {
    int type;
    int value;
    int text;
};
constexpr DescriptionRow kDescriptions[] = {
    {1, 0, 121},   {2, 0, 123},   {3, 0, 122},   {4, 0, 111},   {5, 0, 124},   {6, 0, 125},
    {7, 0, 127},   {8, 0, 128},   {9, 0, 90},    {10, 0, 91},   {13, 0, 129},  {14, 0, 130},
    {15, 0, 150},  {16, 0, 151},  {17, 0, 152},  {18, 0, 152},  {19, 0, 153},  {20, 0, 154},
    {21, 0, 155},  {24, 0, 162},  {25, 1, 178},  {25, 2, 179},  {25, 3, 182},  {25, 4, 180},
    {25, 5, 181},  {25, 6, 175},  {25, 7, 176},  {25, 8, 177},  {26, 1, 185},  {26, 2, 186},
    {26, 3, 187},  {26, 4, 189},  {26, 6, 190},  {26, 7, 191},  {26, 8, 192},  {26, 9, 193},
    {26, 11, 31},  {26, 12, 32},  {26, 13, 36},  {103, 1, 151}, {103, 2, 152}, {103, 3, 153},
    {103, 4, 154}, {103, 5, 155}, {104, 0, 161},
};

}  // namespace

std::span<const ButtonFunctionTable::Function> ButtonFunctionTable::Functions() {
    return kFunctions;
}

const ButtonFunctionTable::Function* ButtonFunctionTable::FindFunction(std::string_view name) {
    for (const Function& function : kFunctions) {
        if (function.name == name) {
            return &function;
        }
    }
    return nullptr;
}

std::span<const ButtonFunctionTable::Choice> ButtonFunctionTable::Choices(Kind kind) {
    switch (kind) {
        case Kind::Multimedia:
            return kMultimedia;
        case Kind::Shortcut:
            return kShortcuts;
        default:
            return {};
    }
}

const ButtonFunctionTable::Choice* ButtonFunctionTable::FindChoice(Kind kind,
                                                                   std::string_view name) {
    for (const Choice& choice : Choices(kind)) {
        if (choice.name == name) {
            return &choice;
        }
    }
    return nullptr;
}

int ButtonFunctionTable::KeyCodeOfButton(int button) {
    return button >= 1 && button <= kPageButtons ? kKeyCodes[button - 1] : 0;
}

int ButtonFunctionTable::ButtonOfKeyCode(int keyCode) {
    for (int button = 1; button <= kPageButtons; ++button) {
        if (kKeyCodes[button - 1] == keyCode) {
            return button;
        }
    }
    return 0;
}

std::optional<int> ButtonFunctionTable::DescriptionText(int type, int value) {
    for (const DescriptionRow& row : kDescriptions) {
        if (row.type == type && (row.value == 0 || row.value == value)) {
            return row.text;
        }
    }
    return std::nullopt;
}

std::u16string ButtonFunctionTable::ShownText(const store::KeyMapping& mapping) {
    if (mapping.macro_type == protocol::kFnKeyboard || mapping.macro_type == protocol::kFnMacro) {
        return i18n::LocalizeName(mapping.macro_desc);
    }
    std::u16string text = i18n::LoadText(base::ParseLeadingDigits(mapping.macro_desc));
    return text.empty() ? mapping.macro_desc : text;
}

}  // namespace cli
