#include "cli/CommandLine.h"

#include <iostream>

#include "cli/ButtonCommand.h"
#include "cli/CliSession.h"
#include "cli/ExportProfileCommand.h"
#include "cli/FactoryResetCommand.h"
#include "cli/ImportProfileCommand.h"
#include "cli/MacroCommand.h"
#include "cli/ProfileCommand.h"
#include "cli/ReadCommand.h"
#include "cli/ResetCommand.h"
#include "cli/SetCommand.h"
#include "cli/ShowCommand.h"
#include "cli/StatusCommand.h"
#include "cli/UploadCommand.h"
#include "sim/SimMode.h"

namespace cli {

namespace {

constexpr char kProgram[] = "varneth-cli";

const char kDescription[] =
    "Configures a Varneth mouse from the command line, on the same settings database as the "
    "window.\nChanges made with set, button, reset and import-profile are kept in the database "
    "and reach the mouse with upload.";

const char kFooter[] =
    "Without a mouse, --simulate uses a virtual one; --sim-state FILE keeps it between runs.\n"
    "Exit status: 0 done, 1 the command could not do its work, 2 wrong command line.";

void PrintError(std::ostream& err, const std::string& message) {
    err << kProgram << ": " << message << "\n";
}

// When a command (or a macro action) was expected and a word came that names none: that word,
// said plainly; empty otherwise.
std::string UnknownCommand(CLI::App& parser) {
    std::vector<std::string> words = parser.remaining();
    std::string command;  // the chosen command that wants an action of its own ("macro")
    for (CLI::App* sub : parser.get_subcommands([](CLI::App*) { return true; })) {
        if (sub->parsed() && sub->get_require_subcommand_min() > 0) {
            command = sub->get_name();
            const std::vector<std::string> own = sub->remaining();
            words.insert(words.begin(), own.begin(), own.end());
        }
    }
    if (words.empty()) {
        return {};
    }
    const std::string prefix = command.empty() ? "" : command + " ";
    return "unknown command " + prefix + words.front() + " (see: " + kProgram + " " + prefix +
           "--help)";
}

}  // namespace

CommandLine::CommandLine() {
    m_commands.push_back(std::make_unique<StatusCommand>());
    m_commands.push_back(std::make_unique<ReadCommand>());
    m_commands.push_back(std::make_unique<UploadCommand>());
    m_commands.push_back(std::make_unique<ResetCommand>());
    m_commands.push_back(std::make_unique<FactoryResetCommand>());
    m_commands.push_back(std::make_unique<ProfileCommand>());
    m_commands.push_back(std::make_unique<ShowCommand>());
    m_commands.push_back(std::make_unique<SetCommand>());
    m_commands.push_back(std::make_unique<ButtonCommand>());
    m_commands.push_back(std::make_unique<ExportProfileCommand>());
    m_commands.push_back(std::make_unique<ImportProfileCommand>());
    m_commands.push_back(std::make_unique<MacroCommand>());
}

CommandLine::~CommandLine() = default;

int CommandLine::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App parser(kDescription, kProgram);
    parser.footer(kFooter);
    parser.require_subcommand(1);
    // A bare --simulate gives "true", which stands for the cable.
    CLI::Option* simulate =
        parser
            .add_flag("--simulate", m_options.simulateMode,
                      "Use the virtual mouse instead of the HID devices, attached as MODE: wired "
                      "(the default), receiver, receiver-offline or bluetooth")
            ->option_text("[=MODE]")
            ->transform(
                [](std::string mode) {
                    if (mode == "true") {
                        mode = "wired";
                    }
                    if (!sim::ParseSimMode(mode)) {
                        throw CLI::ValidationError(
                            mode +
                            " is not a kind of virtual mouse: wired, receiver, "
                            "receiver-offline or bluetooth");
                    }
                    return mode;
                },
                "", "");
    parser
        .add_option("--sim-state", m_options.simStateFile,
                    "Keep the virtual mouse in this file, so separate runs see one mouse")
        ->type_name("FILE")
        ->needs(simulate);
    parser
        .add_option("--trace", m_options.traceFile,
                    "Append every report exchanged with the mouse to this file")
        ->type_name("FILE");
    parser.add_flag("--json", m_options.json, "Print one JSON document instead of text");

    std::vector<std::pair<CliCommand*, CLI::App*>> chosen;
    for (const std::unique_ptr<CliCommand>& command : m_commands) {
        CLI::App* sub = command->Add(parser);
        sub->fallthrough();
        chosen.emplace_back(command.get(), sub);
    }

    try {
        parser.parse(argc, argv);
    } catch (const CLI::RequiredError& error) {
        if (const std::string unknown = UnknownCommand(parser); !unknown.empty()) {
            PrintError(err, unknown);
            return kExitUsage;
        }
        parser.exit(error, out, err);
        return kExitUsage;
    } catch (const CLI::ParseError& error) {
        // Help goes to standard output; every other parse error is a wrong command line.
        const int status = parser.exit(error, out, err);
        return status == 0 ? kExitDone : kExitUsage;
    }
    m_options.simulate = simulate->count() > 0;

    CliCommand* command = nullptr;
    for (const auto& [candidate, sub] : chosen) {
        if (sub->parsed()) {
            command = candidate;
        }
    }
    if (!command) {
        PrintError(err, "no command given (see: varneth-cli --help)");
        return kExitUsage;
    }

    CliSession session(m_options);
    std::string problem;
    if (!session.Start(problem)) {
        PrintError(err, problem);
        return kExitFailed;
    }
    const CommandResult result = command->Run(session);
    if (result.exitCode != kExitDone) {
        PrintError(err, result.error);
        return result.exitCode;
    }
    if (m_options.json) {
        out << result.json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << "\n";
    } else {
        out << result.text;
    }
    return kExitDone;
}

}  // namespace cli
