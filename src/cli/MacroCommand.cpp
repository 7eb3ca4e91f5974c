#include "cli/MacroCommand.h"

#include "base/Clock.h"
#include "base/Utf.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "exchange/MacroExchange.h"
#include "i18n/LanguageFile.h"
#include "i18n/LocalizeName.h"
#include "protocol/ButtonEntry.h"

namespace cli {

namespace {

// The macro page holds at most this many macros, as many as the mouse's macro image numbers.
constexpr int kMaxMacros = 32;
// Language text of the default name a new macro starts with.
constexpr int kDefaultNameText = 351;

std::string PlayText(const store::MacroInfo& macro) {
    switch (macro.play_type) {
        case 0:
            return "plays " + std::to_string(macro.play_times) + " time" +
                   (macro.play_times == 1 ? "" : "s");
        case 1:
            return "repeats while held";
        case 2:
            return "repeats until pressed again";
        default:
            return "play type " + std::to_string(macro.play_type);
    }
}

CommandResult NoMacro(int id) {
    return CommandResult::Failed("there is no macro " + std::to_string(id) +
                                 " (see: varneth-cli macro list)");
}

}  // namespace

CLI::App* MacroCommand::Add(CLI::App& parent) {
    CLI::App* command =
        parent.add_subcommand("macro", "List, create, export, import, delete or rename macros");
    command->require_subcommand(1);
    m_list = command->add_subcommand("list", "The macros with their ids and play settings");
    m_new = command->add_subcommand("new", "A new empty macro with the next default name");
    m_export = command->add_subcommand(
        "export", "Write a macro to a macro file in DIR, named after the macro");
    m_export->add_option("ID", m_id, "The macro")->required();
    m_export->add_option("DIR", m_path, "The folder to write into")->required();
    m_import = command->add_subcommand("import", "Add the macro of a macro file as a new macro");
    m_import->add_option("FILE", m_path, "The macro file to read")->required();
    m_delete = command->add_subcommand(
        "delete", "Delete a macro (buttons assigned to it keep their assignment)");
    m_delete->add_option("ID", m_id, "The macro")->required();
    m_rename = command->add_subcommand("rename", "Give a macro a new name");
    m_rename->add_option("ID", m_id, "The macro")->required();
    m_rename->add_option("NAME", m_name, "Its new name")->required();
    for (CLI::App* sub : {m_list, m_new, m_export, m_import, m_delete, m_rename}) {
        sub->fallthrough();
    }
    return command;
}

CommandResult MacroCommand::Run(CliSession& session) {
    if (m_list->parsed()) {
        return List(session);
    }
    if (m_new->parsed()) {
        return New(session);
    }
    if (m_export->parsed()) {
        return Export(session);
    }
    if (m_import->parsed()) {
        return Import(session);
    }
    if (m_delete->parsed()) {
        return Delete(session);
    }
    return Rename(session);
}

CommandResult MacroCommand::List(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    std::vector<store::MacroInfo> macros;
    database.ListMacros(macros);
    std::string text = macros.empty() ? "There are no macros.\n" : "";
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const store::MacroInfo& macro : macros) {
        std::vector<store::MacroStep> steps;
        const int count = database.ListMacroSteps(macro.macro_id, steps);
        const std::string name = Utf8(i18n::LocalizeName(macro.name));
        text += std::to_string(macro.macro_id) + "  " + Quoted(name) + "  " + PlayText(macro) +
                ", " + std::to_string(count) + " step" + (count == 1 ? "" : "s") + "\n";
        list.push_back({{"id", macro.macro_id},
                        {"name", name},
                        {"play_type", macro.play_type},
                        {"play_times", macro.play_times},
                        {"delay_type", macro.delay_type},
                        {"delay_time", macro.delay_time},
                        {"steps", count}});
    }
    return CommandResult::Done(std::move(text), {{"macros", std::move(list)}});
}

CommandResult MacroCommand::New(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    std::vector<store::MacroInfo> macros;
    const int count = database.ListMacros(macros);
    if (count >= kMaxMacros) {
        return CommandResult::Failed("there are already " + std::to_string(count) +
                                     " macros, the most the mouse holds; delete one first");
    }
    const std::u16string name =
        i18n::LoadText(kDefaultNameText) + u" " + base::AsciiToUtf16(std::to_string(count + 1));
    const int id = database.AddMacro(name);
    if (id == 0) {
        return CommandResult::Failed("the settings database refused the new macro");
    }
    return CommandResult::Done(
        "Created macro " + std::to_string(id) + " " + Quoted(Utf8(name)) + "\n",
        {{"id", id}, {"name", Utf8(name)}});
}

CommandResult MacroCommand::Export(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    store::MacroInfo macro;
    if (!database.GetMacro(m_id, macro)) {
        return NoMacro(m_id);
    }
    const std::u16string shown = i18n::LocalizeName(macro.name);
    const exchange::MacroExportResult result =
        exchange::ExportMacro(database, m_id, shown, m_path, base::DefaultClock().TickCount());
    switch (result.status) {
        case exchange::MacroExportStatus::Written:
            break;
        case exchange::MacroExportStatus::NoSuchMacro:
            return NoMacro(m_id);
        case exchange::MacroExportStatus::NoFolder:
            return CommandResult::Failed(m_path + " is not a folder");
        case exchange::MacroExportStatus::WriteFailed:
            return CommandResult::Failed("cannot write " + result.path);
    }
    std::string text = "Exported macro " + std::to_string(m_id) + " to " + result.path + "\n";
    if (result.nameMended) {
        text += "The macro's name " + Quoted(Utf8(shown)) +
                " cannot be a file name as it is, so the file name uses a mended form of it; "
                "the file keeps the name unchanged.\n";
    }
    return CommandResult::Done(
        std::move(text), {{"id", m_id}, {"file", result.path}, {"name_mended", result.nameMended}});
}

CommandResult MacroCommand::Import(CliSession& session) {
    const exchange::MacroImportResult result = exchange::ImportMacro(session.Database(), m_path);
    if (result.status != exchange::ImportStatus::Imported) {
        return CommandResult::Failed(ImportProblem(result.status, m_path, "macro"));
    }
    const std::string name = Utf8(result.name);
    std::string text = "Imported macro " + std::to_string(result.macroId) + " " + Quoted(name) +
                       " with " + std::to_string(result.stepsStored) + " step" +
                       (result.stepsStored == 1 ? "" : "s") + "\n";
    if (result.stepsSkipped > 0) {
        text +=
            std::to_string(result.stepsSkipped) + " steps could not be stored and were left out.\n";
    }
    return CommandResult::Done(std::move(text), {{"id", result.macroId},
                                                 {"name", name},
                                                 {"steps", result.stepsStored},
                                                 {"steps_skipped", result.stepsSkipped}});
}

CommandResult MacroCommand::Delete(CliSession& session) {
    store::ProfileDatabase& database = session.Database();
    store::MacroInfo macro;
    if (!database.GetMacro(m_id, macro)) {
        return NoMacro(m_id);
    }
    if (!database.DeleteMacro(m_id)) {
        return CommandResult::Failed("the settings database refused to delete macro " +
                                     std::to_string(m_id));
    }
    return CommandResult::Done("Deleted macro " + std::to_string(m_id) + "\n",
                               {{"id", m_id}, {"deleted", true}});
}

CommandResult MacroCommand::Rename(CliSession& session) {
    if (m_name.empty()) {
        return CommandResult::Usage("a macro's name cannot be empty");
    }
    store::ProfileDatabase& database = session.Database();
    store::MacroInfo macro;
    if (!database.GetMacro(m_id, macro)) {
        return NoMacro(m_id);
    }
    const std::u16string name = base::Utf8ToUtf16(m_name);
    const auto hold = database.Hold();
    // Buttons assigned to the macro show its name: every profile's buttons follow the rename,
    // so no profile keeps showing the old name.
    std::vector<store::ProfileInfo> profiles;
    database.ListProfiles(profiles);
    for (const store::ProfileInfo& profile : profiles) {
        std::vector<store::KeyMapping> mappings;
        database.ListKeyMappings(profile.profile, mappings);
        for (const store::KeyMapping& mapping : mappings) {
            if (mapping.macro_type == protocol::kFnMacro && mapping.macro_value == m_id) {
                database.SetKeyMacroDesc(profile.profile, mapping.key_code, name);
            }
        }
    }
    if (!database.RenameMacro(m_id, name)) {
        return CommandResult::Failed("the settings database refused the new name");
    }
    return CommandResult::Done(
        "Renamed macro " + std::to_string(m_id) + " to " + Quoted(Utf8(name)) + "\n",
        {{"id", m_id}, {"name", Utf8(name)}});
}

}  // namespace cli
