#include "cli/ImportProfileCommand.h"

#include "app/DeviceCommand.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "exchange/ProfileExchange.h"

namespace cli {

CLI::App* ImportProfileCommand::Add(CLI::App& parent) {
    CLI::App* command = parent.add_subcommand(
        "import-profile",
        "Read a profile file into the current profile (its buttons are replaced; sent by the "
        "next upload)");
    command->add_option("FILE", m_file, "The profile file to read")->required();
    return command;
}

CommandResult ImportProfileCommand::Run(CliSession& session) {
    const int profile = session.CurrentProfile();
    const exchange::ImportStatus status =
        exchange::ImportProfile(session.Database(), profile, m_file);
    if (status != exchange::ImportStatus::Imported) {
        return CommandResult::Failed(ImportProblem(status, m_file, "profile"));
    }
    // As after the window's import: the pages reload from the store, nothing reaches the mouse.
    session.RunJob(app::JOB_RELOAD_PROFILE);
    return CommandResult::Done(
        "Imported " + m_file + " into profile " + std::to_string(profile) + "\n",
        {{"profile", profile}, {"file", m_file}});
}

}  // namespace cli
