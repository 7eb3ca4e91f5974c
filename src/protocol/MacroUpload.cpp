#include "protocol/MacroUpload.h"

#include <span>
#include <vector>

#include "protocol/CommandReport.h"
#include "protocol/CommandSet.h"
#include "protocol/ExchangeCommand.h"

namespace protocol {

MacroImage MacroImageOf(store::ProfileDatabase& db) {
    std::vector<MacroSteps> macros;
    {
        const auto hold = db.Hold();
        std::vector<store::MacroInfo> listing;
        db.ListMacros(listing);
        std::vector<store::MacroStep> rows;
        for (const store::MacroInfo& macro : listing) {
            db.ListMacroSteps(macro.macro_id, rows);
            MacroSteps& steps = macros.emplace_back();
            steps.reserve(rows.size());
            for (const store::MacroStep& row : rows) {
                steps.push_back(MacroStepData{row.type, row.value, row.desc});
            }
        }
    }
    return BuildMacroImage(macros);
}

void UploadMacros(device::DeviceManager& dm, store::ProfileDatabase& db) {
    const MacroImage image = MacroImageOf(db);
    for (const MacroChunk& chunk : SplitMacroImage(image.bytes)) {
        CommandReport report = CommandReport::MacroChunk(
            chunk.offset, std::span<const uint8_t>(chunk.data.data(), chunk.length));
        ExchangeCommand(dm, report);
    }
    CommandReport done = CommandReport::For(CMD_MACRO_DONE);
    ExchangeCommand(dm, done);
}

}  // namespace protocol
