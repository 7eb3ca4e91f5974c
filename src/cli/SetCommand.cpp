#include "cli/SetCommand.h"

#include "base/Utf.h"
#include "cli/CliSession.h"
#include "cli/ConfigKeyRule.h"

namespace cli {

namespace {

std::string KeyList() {
    std::string text = "Keys:\n";
    for (const ConfigKeyRule& rule : ConfigKeyRule::All()) {
        std::string key(rule.key);
        key.resize(20, ' ');
        text += "  " + key + std::string(rule.meaning) + ": " + rule.Allowed() + "\n";
    }
    return text;
}

}  // namespace

CLI::App* SetCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "set", "Store a configuration value of the current profile (sent by the next upload)");
    command->add_option("KEY", m_key, "The configuration key")->required();
    command->add_option("VALUE", m_value, "Its new value")->required();
    command->footer(KeyList());
    return command;
}

CommandResult SetCommand::Run(CliSession& session) {
    const ConfigKeyRule* rule = ConfigKeyRule::Find(m_key);
    if (!rule) {
        return CommandResult::Usage("there is no configuration key " + m_key +
                                    " (see: varneth-cli set --help)");
    }
    const std::optional<std::string> value = rule->Normalise(m_value);
    if (!value) {
        return CommandResult::Usage(m_key + " takes " + rule->Allowed() + ", not " + m_value);
    }
    const int profile = session.CurrentProfile();
    store::ProfileDatabase& database = session.Database();
    std::u16string old;
    if (!database.GetConfigValue(profile, m_key, old)) {
        return CommandResult::Failed("profile " + std::to_string(profile) + " has no value " +
                                     m_key + " in the settings database");
    }
    if (!database.SetConfigValue(profile, m_key, base::AsciiToUtf16(*value))) {
        return CommandResult::Failed("the settings database refused the change");
    }
    return CommandResult::Done(
        "profile " + std::to_string(profile) + ": " + m_key + " = " + *value + "\n",
        {{"profile", profile}, {"key", m_key}, {"value", *value}});
}

}  // namespace cli
