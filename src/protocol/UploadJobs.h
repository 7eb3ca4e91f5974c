#pragma once

#include <optional>

#include "device/DeviceManager.h"
#include "protocol/DeviceStateReader.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// The device side of the upload and reset jobs. Each one sends what the store holds; views,
// pointer settings and the wait dialog are the caller's. `profile` is the current profile
// number 1..5. Worker thread. Send results are not used.

// The apply action: the macro image, the button entries of all profiles, the settings block,
// the selected DPI stage and the report rate of `profile`.
void UploadProfile(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

// After the store has reset `profile`: the button entries of all profiles, the settings block,
// the DPI stage and the report rate; then stores light mode 3 for the profile and sends it.
void ResetProfileOnDevice(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

// After the store was emptied and rebuilt: stores the report rate the connection gets (1000 Hz,
// code 4, over a cable, connectionKind 0; code 2 on any other connection or none) and light
// mode 3 for `profile`; then sends the macro image, the button entries of all profiles, the
// settings block and the light mode, and reads the battery, which it returns when one came.
std::optional<BatteryReading> FactoryResetOnDevice(device::DeviceManager& dm,
                                                   store::ProfileDatabase& db, int profile,
                                                   int connectionKind);

}  // namespace protocol
