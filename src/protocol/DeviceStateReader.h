#pragma once

#include <optional>
#include <string>

#include "device/DeviceManager.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// Reading the mouse's state into the store: battery, button entries, settings and firmware
// version. Exchanges run on the worker thread; the caller shows what comes back. Profile numbers
// are the store's 1..5; nothing is sent for any other number.

// The battery as the mouse reports it, both values passed on to the battery indicator as they
// came (level first, then charge state).
struct BatteryReading {
    int level;
    int state;
};

// CMD_READ_BATTERY for `profile`: the level (R[8]) and charge state (R[9]) when the mouse
// answered with R[0] = 0xAA and R[1] = 0x30; nothing otherwise.
std::optional<BatteryReading> ReadBattery(device::DeviceManager& dm, int profile);

// Makes the mouse the source of truth: reads the battery, the button entries of profiles 1..5
// (each stored into its own profile; a profile whose read fails keeps its rows, and the others
// are still read) and the settings of `profile` (a mouse never programmed gets the stored
// settings instead). Every step runs whatever the previous one gave. Returns the battery
// reading when one came.
std::optional<BatteryReading> ReadDeviceState(device::DeviceManager& dm, store::ProfileDatabase& db,
                                              int profile);

// The mouse's text from the feature report (target 0), or "0.0.0" when none came.
std::u16string ReadFirmwareText(device::DeviceManager& dm);

// ReadFirmwareText, replaced by the version digits of CMD_READ_VERSION ("d.d.d" from R[23..25],
// a character that is not a digit reading as 0) when the mouse answers with R[0] = 0xAA and
// R[1] = 0x03.
std::u16string ReadFirmwareVersions(device::DeviceManager& dm);

}  // namespace protocol
