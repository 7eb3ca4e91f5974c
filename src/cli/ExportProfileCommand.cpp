#include "cli/ExportProfileCommand.h"

#include "cli/CliSession.h"
#include "exchange/ExchangeText.h"
#include "exchange/ProfileExchange.h"

namespace cli {

CLI::App* ExportProfileCommand::Add(CLI::App& parent) {
    CLI::App* command =
        parent.add_subcommand("export-profile", "Write the current profile to a profile file");
    command->add_option("FILE", m_file, "The file to write (.xml)")->required();
    command->add_flag("-f,--force", m_force, "Replace the file when it exists");
    return command;
}

CommandResult ExportProfileCommand::Run(CliSession& session) {
    if (!m_force && exchange::PathExists(m_file)) {
        return CommandResult::Failed(m_file + " exists; add --force to replace it");
    }
    const int profile = session.CurrentProfile();
    store::ProfileDatabase& database = session.Database();
    if (!exchange::ExportProfile(database, profile, exchange::ProfileTitle(database, profile),
                                 m_file)) {
        return CommandResult::Failed("cannot write " + m_file);
    }
    return CommandResult::Done(
        "Exported profile " + std::to_string(profile) + " to " + m_file + "\n",
        {{"profile", profile}, {"file", m_file}});
}

}  // namespace cli
