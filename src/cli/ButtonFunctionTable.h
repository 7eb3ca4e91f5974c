#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "store/KeyMapping.h"

namespace cli {

// The button functions of the key page and its key-assignment dialog, under the names the
// command line uses, and how they are stored.
class ButtonFunctionTable {
  public:
    // How a function is chosen.
    enum class Kind {
        Fixed,       // stored at once with value 1
        Keyboard,    // a key and modifiers
        Macro,       // a macro of the store
        Multimedia,  // one of the multimedia choices
        Shortcut,    // one of the system shortcuts
    };

    struct Function {
        std::string_view name;  // command-line name
        int type;               // macro_type
        Kind kind;
        int caption;  // language text of the function list
    };

    // One entry of the dialog's list for multimedia or system shortcuts.
    struct Choice {
        std::string_view name;  // command-line name
        int value;              // macro_value
        int caption;            // language text of the entry
    };

    // The 18 functions of the key page's lists, in list order.
    static std::span<const Function> Functions();
    static const Function* FindFunction(std::string_view name);
    // The dialog's entries for a kind (none for other kinds), in list order.
    static std::span<const Choice> Choices(Kind kind);
    static const Choice* FindChoice(Kind kind, std::string_view name);

    // The page's buttons: row 1..7 as numbered on the key page, and the key_code each stands for.
    static constexpr int kPageButtons = 7;
    static int KeyCodeOfButton(int button);   // 0 outside 1..7
    static int ButtonOfKeyCode(int keyCode);  // 0 for a key_code the page does not show

    // The language text a stored description names for (type, value), or nothing when the
    // description is the caption or key text itself.
    static std::optional<int> DescriptionText(int type, int value);

    // What the key page shows for a stored assignment: the macro's or key's text for keyboard
    // and macro functions, otherwise the language text the description names (the description
    // itself when that text is empty).
    static std::u16string ShownText(const store::KeyMapping& mapping);
};

}  // namespace cli
