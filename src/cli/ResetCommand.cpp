#include "cli/ResetCommand.h"

#include "app/DeviceCommand.h"
#include "app/ProfileDefaults.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "cli/Confirmation.h"
#include "store/ConfigDefaults.h"

namespace cli {

CLI::App* ResetCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "reset",
        "Restore the current profile's defaults (buttons and performance values) and write "
        "them to the mouse (the profile bar's restore-defaults button)");
    command->add_flag("-y,--yes", m_yes, "Do not ask for confirmation");
    return command;
}

CommandResult ResetCommand::Run(CliSession& session) {
    if (const std::string refusal = session.DeviceRefusal(); !refusal.empty()) {
        return CommandResult::Failed(refusal);
    }
    switch (Confirmation::Ask(m_yes, LanguageText(200))) {
        case Confirmation::Answer::Yes:
            break;
        case Confirmation::Answer::No:
            return CommandResult::Failed("cancelled; nothing was changed");
        case Confirmation::Answer::Unanswerable:
            return CommandResult::Usage(
                "reset replaces the current profile's buttons and performance values by their "
                "defaults; add --yes to confirm");
    }
    const int profile = session.CurrentProfile();
    app::RestoreProfileDefaults(session.Database(), profile, session.Controller().ConnectionKind());
    session.RunJob(app::JOB_RESET_PROFILE);
    return CommandResult::Done("Restored the defaults of profile " + std::to_string(profile) +
                                   " and wrote them to the mouse.\n",
                               {{"profile", profile}, {"reset", true}});
}

}  // namespace cli
