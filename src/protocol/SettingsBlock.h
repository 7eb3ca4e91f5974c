#pragma once

#include "device/DeviceManager.h"
#include "protocol/CommandReport.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// The performance settings of one profile as the mouse keeps them: a 46-byte block that
// CMD_WRITE_SETTINGS sends from Q[9] and CMD_READ_SETTINGS returns from R[8] (the same payload
// bytes). It carries the light mode, the report rate, the six DPI stages with their colours,
// the scroll direction, the lift-off distance, the sensor options, the button response time,
// the light-off time and the e-sports mode.
//
// Every function takes the profile number 1..5 of the store; for any other number nothing is
// sent or stored. Values are read from the store as decimal text (non-numeric text is 0) and
// sent as their low byte. All exchanges run on the worker thread; send results are not used,
// a lost write stays lost until the next upload.

// The whole CMD_WRITE_SETTINGS request for `profile` (Q[4], the checksum, is left 0; the
// exchange fills it). Stage values outside 50..26000 are sent as 0, the stage count is always
// 6, and a selected stage outside 0..5 is sent as stage 1, the one the DPI page shows for it.
// An all-zero report for a profile number outside 1..5.
CommandReport BuildSettingsBlock(store::ProfileDatabase& db, int profile);

// Sends BuildSettingsBlock.
void WriteSettingsBlock(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

// Sends CMD_SET_DPI: the selected stage (1-based) and its stored DPI value, without range check
// on the value. A selected stage outside 0..5 is sent as stage 1 with stage 1's value.
void SendDpiStage(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

// Sends CMD_SET_REPORT_RATE with the stored report-rate code.
void SendReportRate(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

// What a CMD_READ_SETTINGS reply meant for the store.
enum class SettingsReadResult {
    Stored,        // the values were stored into the profile's configuration
    EmptyProfile,  // light mode, report rate and stage count all 0: nothing stored
    Unprogrammed,  // the first stage value bytes are FF FF FF: nothing stored
    Rejected,      // not an accepted reply to CMD_READ_SETTINGS (or no such profile)
};

// Decodes a CMD_READ_SETTINGS reply (R[0] = 0xAA and R[1] = 0x0E required) into the
// configuration keys of `profile`. The selected stage is stored 0-based and clamped to 0..5;
// stage values outside 50..26000 are skipped one by one (the stored value stays); the colours
// are not read back; the sensor option bits are mapped back to the stored bit values 4, 8, 16.
// All values are stored in one hold of the store's lock.
SettingsReadResult StoreSettingsReply(store::ProfileDatabase& db, int profile,
                                      const CommandReport& reply);

// Reads the settings of `profile` from the mouse into the store. A mouse that has never been
// programmed gets the stored settings instead (WriteSettingsBlock).
void ReadSettings(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

}  // namespace protocol
