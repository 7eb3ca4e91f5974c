#include "cli/UploadCommand.h"

#include "app/DeviceCommand.h"
#include "cli/CliSession.h"

namespace cli {

CLI::App* UploadCommand::Add(CLI::App& parent) {
    return parent.add_subcommand(
        "upload",
        "Send the current profile, every profile's buttons and the macros to the mouse (the "
        "profile bar's apply button)");
}

CommandResult UploadCommand::Run(CliSession& session) {
    if (const std::string refusal = session.DeviceRefusal(); !refusal.empty()) {
        return CommandResult::Failed(refusal);
    }
    session.RunJob(app::JOB_UPLOAD_PROFILE);
    const int profile = session.CurrentProfile();
    return CommandResult::Done("Sent profile " + std::to_string(profile) + " to the mouse.\n",
                               {{"profile", profile}, {"uploaded", true}});
}

}  // namespace cli
