#pragma once

#include <string>
#include <string_view>

#include "exchange/ImportStatus.h"
#include "store/ProfileDatabase.h"

namespace exchange {

// The profile exchange file: the profile's button assignments, its light rows, its DPI stages
// and its other performance values, as one XML file in UTF-8 without a byte order mark, one
// element per line, every line ended by CR LF:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <profile>
//   <profileinfo name="Profile 1">
//   <keyitems>
//   <item key_code=".." macro_type=".." macro_value=".." macro_value2=".." macro_value3=".."
//         macro_desc=".."/>                                        (one line per assignment)
//   </keyitems>
//   <Lightitems light_mode="3">   (or <Lightitems light_mode="3"/> without light rows)
//   <item light_mode=".." brightness=".." speed=".." direction=".." colorful=".."
//         colorindex=".." color_value=".."/>                        (one line per light row)
//   </Lightitems>
//   <Mouse_DPI dpi_flag="5" dpi_index="2" dpi_count="5">
//   <DPI1 value="800" color="255"/>  ...  <DPI6 value="12000" color="16776960"/>
//   </Mouse_DPI>
//   <Mouse>
//   <button_respondtime value="8"/> <report_rate ../> <sensor_flag ../> <liftoff_height ../>
//   <scroll_flag ../> <e-sports_flag ../> <leftbtn_lock ../>     (one line each, this order)
//   </Mouse>
//   </profileinfo>
//   </profile>

// The text the profile selector shows for `profile`: the language text whose number the stored
// name starts with (text 0 for a name without leading digits); empty when there is no such
// profile.
std::u16string ProfileTitle(store::ProfileDatabase& database, int profile);

// Writes `profile` of the store to `path`, replacing any file there. `title` is the profile
// selector's text for it, kept in the file for people reading it. Values are written as stored;
// a value the store cannot give is written empty. True when the file was written completely;
// a failed write leaves any earlier file untouched.
bool ExportProfile(store::ProfileDatabase& database, int profile, std::u16string_view title,
                   const std::string& path);

// Reads a profile file into `profile`. A missing, unreadable or ill-formed file, or one whose
// root is not "profile", changes nothing. Otherwise the profile's button assignments are
// replaced by the file's items (even when it has none), the active light mode is set and the
// light rows the profile has are updated from the file's items, and the DPI values and the
// seven performance values are stored as the file writes them. Elements are looked for in the
// order the export writes them; one that is out of order is ignored. The caller refreshes its
// pages (the window queues JOB_RELOAD_PROFILE); nothing is sent to the mouse.
ImportStatus ImportProfile(store::ProfileDatabase& database, int profile, const std::string& path);

}  // namespace exchange
