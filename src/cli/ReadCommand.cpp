#include "cli/ReadCommand.h"

#include "app/DeviceCommand.h"
#include "cli/CliSession.h"

namespace cli {

CLI::App* ReadCommand::Add(CLI::App& parent) {
    return parent.add_subcommand(
        "read", "Read the mouse's settings into the store (the profile bar's read button)");
}

CommandResult ReadCommand::Run(CliSession& session) {
    if (const std::string refusal = session.DeviceRefusal(); !refusal.empty()) {
        return CommandResult::Failed(refusal);
    }
    session.View().ForgetBattery();
    session.RunJob(app::JOB_READ_DEVICE);
    // The read starts with the battery: without an answer to it the mouse did not take part.
    const std::optional<CliView::Battery> battery = session.View().LastBattery();
    if (!battery) {
        return CommandResult::Failed("the mouse did not answer; its settings were not read");
    }
    const int profile = session.CurrentProfile();
    return CommandResult::Done(
        "Read the mouse's settings into the store; profile " + std::to_string(profile) +
            " is current.\nbattery: " + std::to_string(battery->level) + "% (charge state " +
            std::to_string(battery->state) + ")\n",
        {{"profile", profile},
         {"battery", {{"level", battery->level}, {"state", battery->state}}}});
}

}  // namespace cli
