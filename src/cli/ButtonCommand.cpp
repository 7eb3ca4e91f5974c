#include "cli/ButtonCommand.h"

#include <cctype>

#include "base/Utf.h"
#include "cli/ButtonFunctionTable.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "i18n/LanguageFile.h"
#include "i18n/LocalizeName.h"
#include "protocol/ButtonEntry.h"
#include "protocol/KeyTables.h"
#include "store/ConfigDefaults.h"

namespace cli {

namespace {

using Kind = ButtonFunctionTable::Kind;

// Keyboard usages 224..231 are the modifiers, which the dialog never captures as the key.
constexpr int kFirstModifierUsage = 224;
constexpr int kLastModifierUsage = 231;
constexpr int kLastUsage = 255;
constexpr int kLeftButton = 1;

// A key name compared without case and blanks, so "page up", "PageUp" and "Page Up" agree.
std::string Folded(std::string_view name) {
    std::string folded;
    for (char c : name) {
        if (c != ' ') {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

// The keyboard usage of a key name of the key-name table (the first usage of a name that
// appears twice); 0 when there is none.
int UsageOfKeyName(std::string_view name) {
    const std::string wanted = Folded(name);
    for (int usage = 1; usage <= kLastUsage; ++usage) {
        const std::u16string keyName = protocol::KeyUsageName(usage);
        if (!keyName.empty() && Folded(base::Utf16ToUtf8(keyName)) == wanted) {
            return usage;
        }
    }
    return 0;
}

std::string ChoiceNames(Kind kind) {
    std::string names;
    for (const ButtonFunctionTable::Choice& choice : ButtonFunctionTable::Choices(kind)) {
        names += (names.empty() ? "" : ", ") + std::string(choice.name);
    }
    return names;
}

std::string Help() {
    std::string text =
        "Buttons are numbered as on the key page: 1 to 7 (stored as key_code 1, 2, 3, 4, 5, 7, "
        "8).\nFunctions:\n";
    for (const ButtonFunctionTable::Function& function : ButtonFunctionTable::Functions()) {
        text += "  " + std::string(function.name);
        switch (function.kind) {
            case Kind::Keyboard:
                text +=
                    " [KEY] [--shift] [--ctrl] [--alt] [--win]   a key name such as A, F5, "
                    "Enter, \"Page Up\", \"Num 1\"";
                break;
            case Kind::Macro:
                text += " ID   a macro of 'varneth-cli macro list'";
                break;
            case Kind::Multimedia:
            case Kind::Shortcut:
                text += " NAME   one of " + ChoiceNames(function.kind);
                break;
            case Kind::Fixed:
                break;
        }
        text += "\n";
    }
    return text;
}

std::u16string Decimal(int value) {
    return base::AsciiToUtf16(std::to_string(value));
}

}  // namespace

CLI::App* ButtonCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "button", "Assign a function to a button of the current profile (sent by the next upload)");
    command->add_option("N", m_button, "The button, 1 to 7 as on the key page")
        ->required()
        ->check(CLI::Range(1, ButtonFunctionTable::kPageButtons));
    command->add_option("FUNCTION", m_function, "The function (see below)")->required();
    command->add_option("ARGUMENT", m_arguments, "The key, macro id or entry the function needs");
    command->add_flag("--shift", m_shift, "Keyboard key: with Shift");
    command->add_flag("--ctrl", m_ctrl, "Keyboard key: with Ctrl");
    command->add_flag("--alt", m_alt, "Keyboard key: with Alt");
    command->add_flag("--win", m_win, "Keyboard key: with the Windows (super) key");
    command->footer(Help());
    return command;
}

CommandResult ButtonCommand::Run(CliSession& session) {
    const ButtonFunctionTable::Function* function = ButtonFunctionTable::FindFunction(m_function);
    if (!function) {
        return CommandResult::Usage("there is no button function " + m_function +
                                    " (see: varneth-cli button --help)");
    }
    const bool modifiers = m_shift || m_ctrl || m_alt || m_win;
    if (modifiers && function->kind != Kind::Keyboard) {
        return CommandResult::Usage("--shift, --ctrl, --alt and --win belong to the key function");
    }
    // A key name may be given in several words ("Page Up" without quotes).
    std::string argument;
    for (const std::string& word : m_arguments) {
        argument += (argument.empty() ? "" : " ") + word;
    }
    const bool needsArgument = function->kind == Kind::Macro ||
                               function->kind == Kind::Multimedia ||
                               function->kind == Kind::Shortcut;
    if (needsArgument && argument.empty()) {
        return CommandResult::Usage(std::string(function->name) + " needs " +
                                    (function->kind == Kind::Macro
                                         ? std::string("a macro id")
                                         : "one of " + ChoiceNames(function->kind)));
    }
    if (function->kind == Kind::Fixed && !m_arguments.empty()) {
        return CommandResult::Usage(std::string(function->name) + " takes no argument");
    }
    if (needsArgument && m_arguments.size() > 1) {
        return CommandResult::Usage(std::string(function->name) + " takes one argument");
    }

    store::ProfileDatabase& database = session.Database();
    const int profile = session.CurrentProfile();
    const int keyCode = ButtonFunctionTable::KeyCodeOfButton(m_button);
    if (keyCode == kLeftButton) {
        // The key page offers the left button's list only while the left-button lock is off.
        std::u16string lock;
        database.GetConfigValue(profile, store::config_key::kLeftButtonLock, lock);
        if (lock != u"0") {
            return CommandResult::Failed(
                "button 1 is locked while leftbtn_lock is on; run 'varneth-cli set leftbtn_lock "
                "0' first");
        }
    }

    store::KeyMapping mapping;
    mapping.profile = profile;
    mapping.fn_layer = 0;
    mapping.key_code = keyCode;
    mapping.macro_type = function->type;
    switch (function->kind) {
        case Kind::Fixed:
            mapping.macro_value = 1;
            mapping.macro_desc = Decimal(*ButtonFunctionTable::DescriptionText(function->type, 1));
            break;
        case Kind::Keyboard: {
            int usage = 0;
            if (!argument.empty()) {
                usage = UsageOfKeyName(argument);
                if (usage == 0) {
                    return CommandResult::Usage("there is no key " + Quoted(argument) +
                                                " (see: varneth-cli button --help)");
                }
                if (usage >= kFirstModifierUsage && usage <= kLastModifierUsage) {
                    return CommandResult::Usage(
                        "a modifier is not a key of its own: use --shift, --ctrl, --alt or "
                        "--win");
                }
            } else if (!modifiers) {
                return CommandResult::Usage("key needs a key name, a modifier or both");
            }
            const int bits = (m_ctrl ? 0x01 : 0) | (m_shift ? 0x02 : 0) | (m_alt ? 0x04 : 0) |
                             (m_win ? 0x08 : 0);
            mapping.macro_value = usage;
            mapping.macro_value2 = bits;
            mapping.macro_desc =
                protocol::KeyboardDescription(bits, usage ? protocol::KeyUsageName(usage) : u"");
            break;
        }
        case Kind::Macro: {
            int id = 0;
            store::MacroInfo macro;
            if (!ParseCount(argument, id) || !database.GetMacro(id, macro)) {
                return CommandResult::Failed("there is no macro " + argument +
                                             " (see: varneth-cli macro list)");
            }
            mapping.macro_value = id;
            mapping.macro_desc = i18n::LocalizeName(macro.name);
            break;
        }
        case Kind::Multimedia:
        case Kind::Shortcut: {
            const ButtonFunctionTable::Choice* choice =
                ButtonFunctionTable::FindChoice(function->kind, argument);
            if (!choice) {
                return CommandResult::Usage(std::string(function->name) + " takes one of " +
                                            ChoiceNames(function->kind) + ", not " + argument);
            }
            mapping.macro_value = choice->value;
            const std::optional<int> text =
                ButtonFunctionTable::DescriptionText(function->type, choice->value);
            mapping.macro_desc = text ? Decimal(*text) : i18n::LoadText(choice->caption);
            break;
        }
    }
    if (database.SaveKeyMapping(mapping) == 0) {
        return CommandResult::Failed("the settings database refused the assignment");
    }
    const std::string shown = Utf8(ButtonFunctionTable::ShownText(mapping));
    return CommandResult::Done("profile " + std::to_string(profile) + ", button " +
                                   std::to_string(m_button) + ": " + shown + "\n",
                               {{"profile", profile},
                                {"button", m_button},
                                {"key_code", keyCode},
                                {"macro_type", mapping.macro_type},
                                {"macro_value", mapping.macro_value},
                                {"macro_value2", mapping.macro_value2},
                                {"macro_value3", mapping.macro_value3},
                                {"macro_desc", Utf8(mapping.macro_desc)},
                                {"text", shown}});
}

}  // namespace cli
