#pragma once

#include "device/DeviceManager.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// Sends the stored "light_mode" of `profile` (1..5) to the mouse with CMD_SET_LIGHT_MODE: the
// mode's low byte at Q[11] (non-numeric text is mode 0). The result is not used; a lost send is
// delivered by the next SendLightMode or settings upload, which carries the mode too. Nothing is
// sent for a profile number outside 1..5. Worker thread.
void SendLightMode(device::DeviceManager& dm, store::ProfileDatabase& db, int profile);

}  // namespace protocol
