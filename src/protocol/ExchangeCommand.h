#pragma once

#include "device/DeviceManager.h"
#include "protocol/CommandReport.h"

namespace protocol {

// One mouse command over the manager's active connection. Fills the checksum Q[4], writes the
// 65 bytes and waits for the reply, which replaces the request in `report` (R[0] at byte 0;
// bytes past what the mouse sent are zero, all zero when nothing came). Returns true exactly
// when R[0] is 0xAA.
//
// The ladder: a failed write is retried once after 10 ms, and a second failure ends the
// exchange without reading. The reply is read with a 1000 ms time-out; when the read fails,
// times out or R[0] is not 0xAA, the request is written again after 100 ms and read again,
// and once more after a further 1000 ms. Each re-write sends the original request, even when a
// foreign report landed in the buffer in between. At worst about 4.1 s.
//
// Fails at once, without I/O, while the manager is not opened or has no active connection
// (also for a Bluetooth connection, which carries no traffic). Worker thread only.
bool ExchangeCommand(device::DeviceManager& manager, CommandReport& report);

// The same on the process-wide device manager.
bool ExchangeCommand(CommandReport& report);

}  // namespace protocol
