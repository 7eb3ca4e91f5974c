#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/ImportStatus.h"
#include "store/ProfileDatabase.h"

namespace exchange {

// The macro exchange file: one macro's play settings and its recorded steps, as one XML file in
// UTF-8 without a byte order mark, one element per line, every line ended by CR LF:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <macro>
//   <macroinfo macro_name=".." macro_type=".." play_times=".." delay_type=".." delay_time=".."/>
//   <macroitems>                                  (<macroitems/> for a macro without steps)
//   <item desc=".." index=".." type=".." value=".." timestamp=".."/>     (one per step, in order)
//   </macroitems>
//   </macro>
//
// "macro_type" carries the play type and "timestamp" the step's row stamp.

// What an export did.
enum class MacroExportStatus {
    Written,      // the file was written completely
    NoSuchMacro,  // the store has no macro with that id
    NoFolder,     // the chosen folder does not exist or is not a folder
    WriteFailed,  // the file could not be written (no earlier file was damaged)
};

struct MacroExportResult {
    MacroExportStatus status = MacroExportStatus::WriteFailed;
    std::string path;         // the file written, or that would have been written
    bool nameMended = false;  // the macro's name could not be used as it is (MacroFileName.h)
};

// Writes macro `macroId` into `folder` under "<name>-<tick>.xml", where name is `shownName`
// (the macro list's text for it) mended into a safe file name when it must be (MacroFileName.h),
// and tick the millisecond tick count the caller passes. The file always lands directly inside
// `folder`; a file of the same name is replaced. "macro_name" keeps `shownName` unchanged.
MacroExportResult ExportMacro(store::ProfileDatabase& database, int macroId,
                              std::u16string_view shownName, const std::string& folder,
                              uint32_t tick);

struct MacroImportResult {
    ImportStatus status = ImportStatus::NoFile;
    int macroId = 0;       // the new macro's id when imported
    std::u16string name;   // its name as the file gives it
    int stepsStored = 0;   // steps the store took
    int stepsSkipped = 0;  // steps the store refused (the others are kept)
};

// Adds the macro of a macro file to the store as a new macro, never replacing or merging with
// one of the same name, and its steps in file order. Play settings and step numbers read as
// the digits their texts start with (0 when missing). A missing, unreadable or ill-formed file,
// or one whose root is not "macro", adds nothing. A file whose "macroitems" comes before
// "macroinfo" gives a macro without steps.
MacroImportResult ImportMacro(store::ProfileDatabase& database, const std::string& path);

}  // namespace exchange
