#pragma once

#include <vector>

#include "device/DeviceManager.h"
#include "protocol/ButtonEntry.h"
#include "protocol/CommandReport.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// The button entries of the mouse's profiles: sending the store's button assignments with
// CMD_WRITE_KEYS and storing what CMD_READ_KEYS returns. Profile numbers are the store's 1..5;
// for any other number nothing is sent or stored. Exchanges run on the worker thread.

// Every macro of the store in listing order (ascending id), the order of the macro image, with
// the play settings a macro entry carries.
std::vector<MacroListing> MacroListingOf(store::ProfileDatabase& db);

// The CMD_WRITE_KEYS request of `profile`: the eight factory default entries at Q[9..40], then
// the entry of every assignment (fn_layer 0) over its button's slot. An assignment of button 9
// fills Q[41..44]; one whose button number has no slot is left out. The checksum Q[4] is left
// for the exchange. An all-zero report for a profile number outside 1..5.
CommandReport BuildButtonEntries(store::ProfileDatabase& db, int profile,
                                 const std::vector<MacroListing>& macros);

// Sends the button entries of all five profiles, in profile order. Results are not used.
void WriteButtonEntries(device::DeviceManager& dm, store::ProfileDatabase& db);

// Stores the entry read for `slot` (0..8) as the assignment of its button in `profile` (fn_layer
// 0, key_code from the slot; buttons 4 and 5 are crossed), replacing the button's row. Entries
// that stand for nothing (unprogrammed, all zero, unknown codes, a macro position without a
// macro) and slots outside 0..8 store nothing.
void StoreButtonEntry(store::ProfileDatabase& db, int profile, int slot, const ButtonEntry& entry,
                      const std::vector<MacroListing>& macros);

// Reads the nine button entries of `profile` with CMD_READ_KEYS and stores them. True when the
// mouse answered (R[0] = 0xAA); false otherwise, and also for a notification report that came
// in place of the answer, leaving the profile's rows untouched.
bool ReadButtonEntries(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

}  // namespace protocol
