#include "cli/FactoryResetCommand.h"

#include "app/DeviceStartup.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "cli/Confirmation.h"

namespace cli {

CLI::App* FactoryResetCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "factory-reset",
        "Erase every profile, button assignment and macro and write the factory settings to the "
        "mouse (the settings page's factory reset)");
    command->add_flag("-y,--yes", m_yes, "Do not ask for confirmation");
    return command;
}

CommandResult FactoryResetCommand::Run(CliSession& session) {
    if (app::CheckFactoryReset(session.Controller()) != app::FactoryResetRefusal::None) {
        return CommandResult::Failed(session.DeviceRefusal());
    }
    switch (Confirmation::Ask(m_yes, LanguageText(671))) {
        case Confirmation::Answer::Yes:
            break;
        case Confirmation::Answer::No:
            return CommandResult::Failed("cancelled; nothing was changed");
        case Confirmation::Answer::Unanswerable:
            return CommandResult::Usage(
                "factory-reset erases every profile, button assignment and macro; add --yes to "
                "confirm");
    }
    app::FactoryReset(session.Controller(), session.Catalogue(), session.Database());
    session.RunQueuedJobs();
    return CommandResult::Done(
        "Restored the factory settings: every profile, button assignment and macro was erased "
        "and the defaults were written to the mouse.\n",
        {{"profile", session.CurrentProfile()}, {"factory_reset", true}});
}

}  // namespace cli
