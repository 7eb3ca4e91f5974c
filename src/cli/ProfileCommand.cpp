#include "cli/ProfileCommand.h"

#include <algorithm>

#include "app/DeviceCommand.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "store/ProfileListRefresh.h"

namespace cli {

CLI::App* ProfileCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "profile", "Show the profiles and the current one, or make profile N current");
    command->add_option("N", m_profile, "The profile to make current")->check(CLI::Range(1, 5));
    return command;
}

CommandResult ProfileCommand::Run(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    if (m_profile != 0) {
        store::ProfileListState before = store::RefreshProfileStore(database);
        const bool exists = std::any_of(
            before.items.begin(), before.items.end(),
            [this](const store::ProfileSelectorItem& item) { return item.profile == m_profile; });
        if (!exists) {
            return CommandResult::Failed("there is no profile " + std::to_string(m_profile));
        }
        // As the selector does: the profile becomes active and the pages reload from the store.
        session.Controller().SetCurrentProfile(m_profile);
        if (!database.SetActiveProfile(m_profile)) {
            return CommandResult::Failed("the settings database refused the change");
        }
        session.RunJob(app::JOB_RELOAD_PROFILE);
        session.Controller().RefreshProfileList();
    }

    const store::ProfileListState profiles = store::RefreshProfileStore(database);
    std::string text;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const store::ProfileSelectorItem& item : profiles.items) {
        const bool current = item.profile == profiles.current;
        text += std::string(current ? "* " : "  ") + std::to_string(item.profile) + "  " +
                Utf8(item.text) + "\n";
        list.push_back(
            {{"profile", item.profile}, {"name", Utf8(item.text)}, {"current", current}});
    }
    return CommandResult::Done(std::move(text),
                               {{"current", profiles.current}, {"profiles", std::move(list)}});
}

}  // namespace cli
