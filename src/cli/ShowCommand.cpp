#include "cli/ShowCommand.h"

#include "cli/ButtonFunctionTable.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "exchange/ProfileExchange.h"
#include "store/ConfigDefaults.h"

namespace cli {

CLI::App* ShowCommand::Add(CLI::App& parent) {
    return parent.add_subcommand(
        "show", "The current profile's configuration values and button assignments");
}

CommandResult ShowCommand::Run(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    const int profile = session.CurrentProfile();
    const std::string name = Utf8(exchange::ProfileTitle(database, profile));

    std::string text = "profile " + std::to_string(profile) + " (" + name + ")\nconfiguration:\n";
    nlohmann::ordered_json config = nlohmann::ordered_json::object();
    for (const store::ConfigDefault& row : store::kConfigDefaults) {
        std::u16string value;
        if (database.GetConfigValue(profile, row.key, value)) {
            config[std::string(row.key)] = Utf8(value);
            text += "  " + std::string(row.key) + " = " + Utf8(value) + "\n";
        } else {
            config[std::string(row.key)] = nullptr;
            text += "  " + std::string(row.key) + " is missing\n";
        }
    }

    std::vector<store::KeyMapping> mappings;
    database.ListKeyMappings(profile, mappings);
    text += mappings.empty() ? "buttons: every button has its default function\n" : "buttons:\n";
    nlohmann::ordered_json buttons = nlohmann::ordered_json::array();
    for (const store::KeyMapping& m : mappings) {
        const int button = ButtonFunctionTable::ButtonOfKeyCode(m.key_code);
        const std::string shown = Utf8(ButtonFunctionTable::ShownText(m));
        buttons.push_back({{"button", button ? nlohmann::ordered_json(button) : nullptr},
                           {"key_id", m.key_id},
                           {"profile", m.profile},
                           {"fn_layer", m.fn_layer},
                           {"key_code", m.key_code},
                           {"layout_value", m.layout_value},
                           {"layout_desc", Utf8(m.layout_desc)},
                           {"macro_type", m.macro_type},
                           {"macro_value", m.macro_value},
                           {"macro_value2", m.macro_value2},
                           {"macro_value3", m.macro_value3},
                           {"macro_desc", Utf8(m.macro_desc)},
                           {"text", shown}});
        text += "  " +
                (button ? "button " + std::to_string(button) + " (key_code " +
                              std::to_string(m.key_code) + ")"
                        : "key_code " + std::to_string(m.key_code) + " (not on the key page)") +
                ": " + shown + "  [macro_type " + std::to_string(m.macro_type) + ", macro_value " +
                std::to_string(m.macro_value) + ", macro_value2 " + std::to_string(m.macro_value2) +
                ", macro_value3 " + std::to_string(m.macro_value3) + ", macro_desc " +
                Quoted(Utf8(m.macro_desc)) + "]\n";
    }
    return CommandResult::Done(std::move(text), {{"profile", profile},
                                                 {"name", name},
                                                 {"config", std::move(config)},
                                                 {"buttons", std::move(buttons)}});
}

}  // namespace cli
