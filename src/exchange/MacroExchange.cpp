#include "exchange/MacroExchange.h"

#include <vector>

#include "exchange/ExchangeText.h"
#include "exchange/MacroFileName.h"
#include "platform/Folders.h"
#include "xml/XmlDocument.h"

namespace exchange {

MacroExportResult ExportMacro(store::ProfileDatabase& database, int macroId,
                              std::u16string_view shownName, const std::string& folder,
                              uint32_t tick) {
    MacroExportResult result;
    result.path = MacroFileName::PathIn(folder, shownName, tick);
    result.nameMended = MacroFileName::NeedsMending(shownName);

    xml::XmlDocument document(kDeclaration);
    {
        const auto hold = database.Hold();
        store::MacroInfo macro;
        if (!database.GetMacro(macroId, macro)) {
            result.status = MacroExportStatus::NoSuchMacro;
            return result;
        }
        document.AppendElement(u"macro");
        document.EnterElement();
        document.AppendElement(u"macroinfo");
        document.SetAttribute(u"macro_name", shownName);
        document.SetAttribute(u"macro_type", Decimal(macro.play_type));
        document.SetAttribute(u"play_times", Decimal(macro.play_times));
        document.SetAttribute(u"delay_type", Decimal(macro.delay_type));
        document.SetAttribute(u"delay_time", Decimal(macro.delay_time));

        document.AppendElement(u"macroitems");
        document.EnterElement();
        std::vector<store::MacroStep> steps;
        database.ListMacroSteps(macroId, steps);
        for (const store::MacroStep& step : steps) {
            document.AppendElement(u"item");
            document.SetAttribute(u"desc", step.desc);
            document.SetAttribute(u"index", Decimal(step.record_index));
            document.SetAttribute(u"type", Decimal(step.type));
            document.SetAttribute(u"value", Decimal(step.value));
            document.SetAttribute(u"timestamp", Decimal(step.delay_time));
        }
    }
    if (!platform::IsDirectory(folder)) {
        result.status = MacroExportStatus::NoFolder;
        return result;
    }
    result.status = document.SaveFile(result.path) ? MacroExportStatus::Written
                                                   : MacroExportStatus::WriteFailed;
    return result;
}

MacroImportResult ImportMacro(store::ProfileDatabase& database, const std::string& path) {
    MacroImportResult result;
    if (!PathExists(path)) {
        result.status = ImportStatus::NoFile;
        return result;
    }
    xml::XmlDocument document;
    if (!document.LoadFile(path)) {
        result.status = ImportStatus::NotReadable;
        return result;
    }
    if (!document.FindNextElement(u"macro")) {
        result.status = ImportStatus::WrongKind;
        return result;
    }
    document.EnterElement();
    document.FindNextElement(u"macroinfo");  // when missing, the macro gets empty settings
    store::MacroInfo macro;
    macro.name = document.GetAttribute(u"macro_name");
    macro.play_type = ReadNumber(document.GetAttribute(u"macro_type"));
    macro.play_times = ReadNumber(document.GetAttribute(u"play_times"));
    macro.delay_type = ReadNumber(document.GetAttribute(u"delay_type"));
    macro.delay_time = ReadNumber(document.GetAttribute(u"delay_time"));
    result.name = macro.name;

    const int id = database.InsertMacro(macro);
    if (id <= 0) {
        result.status = ImportStatus::StoreFailed;
        return result;
    }
    result.macroId = id;
    result.status = ImportStatus::Imported;
    if (!document.FindNextElement(u"macroitems")) {
        return result;
    }
    document.EnterElement();
    while (document.FindNextElement(u"item")) {
        store::MacroStep step;
        step.macro_id = id;
        step.desc = document.GetAttribute(u"desc");
        step.record_index = ReadNumber(document.GetAttribute(u"index"));
        step.type = ReadNumber(document.GetAttribute(u"type"));
        step.value = ReadNumber(document.GetAttribute(u"value"));
        step.delay_time = ReadNumber(document.GetAttribute(u"timestamp"));
        // Steps are stored one by one: a step the store refuses is skipped, the rest kept.
        if (database.AddMacroStep(step) > 0) {
            ++result.stepsStored;
        } else {
            ++result.stepsSkipped;
        }
    }
    document.LeaveElement();
    return result;
}

}  // namespace exchange
