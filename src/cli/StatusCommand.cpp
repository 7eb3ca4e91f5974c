#include "cli/StatusCommand.h"

#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "protocol/DeviceStateReader.h"

namespace cli {

namespace {

// The connection as one word.
std::string ConnectionName(const app::DeviceController& controller) {
    if (!controller.IsConnected()) {
        return "none";
    }
    switch (controller.ConnectionKind()) {
        case 0:
            return "wired";
        case 1:
        case 3:
            return "receiver";
        case 2:
            return "bluetooth";
        default:
            return "receiver-offline";  // the receiver answers, its mouse does not
    }
}

}  // namespace

CLI::App* StatusCommand::Add(CLI::App& parent) {
    return parent.add_subcommand("status",
                                 "Connection state and its status text, battery, firmware version");
}

CommandResult StatusCommand::Run(CliSession& session) {
    app::DeviceController& controller = session.Controller();
    const std::string connection = ConnectionName(controller);
    const std::string statusText = LanguageText(session.View().Display().statusText);

    nlohmann::ordered_json battery = nullptr;
    nlohmann::ordered_json firmware = nullptr;
    if (session.DeviceRefusal().empty()) {
        if (const auto reading =
                protocol::ReadBattery(session.Manager(), session.CurrentProfile())) {
            battery = {{"level", reading->level}, {"state", reading->state}};
        }
        firmware = Utf8(protocol::ReadFirmwareVersions(session.Manager()));
    }

    nlohmann::ordered_json json = {{"connected", controller.IsConnected()},
                                   {"online", controller.IsOnline()},
                                   {"connection", connection},
                                   {"connection_kind", controller.ConnectionKind()},
                                   {"status_text", statusText},
                                   {"battery", battery},
                                   {"firmware", firmware},
                                   {"profile", session.CurrentProfile()}};
    std::string text = "connection: " + connection + "\n" + "status: " + statusText + "\n";
    text += "battery: " +
            (battery.is_null() ? std::string("unknown")
                               : std::to_string(battery["level"].get<int>()) + "% (charge state " +
                                     std::to_string(battery["state"].get<int>()) + ")") +
            "\n";
    text += "firmware: " + (firmware.is_null() ? "unknown" : firmware.get<std::string>()) + "\n";
    text += "profile: " + std::to_string(session.CurrentProfile()) + "\n";
    return CommandResult::Done(std::move(text), std::move(json));
}

}  // namespace cli
