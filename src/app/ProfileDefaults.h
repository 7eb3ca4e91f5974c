#pragma once

#include "store/ProfileDatabase.h"

namespace app {

// The store side of the profile bar's restore-defaults action, before JOB_RESET_PROFILE sends
// the result to the mouse: the profile's button assignments are deleted (every button back to
// its default function), its configuration values return to their defaults, and its report rate
// becomes 1000 Hz ("4") on a wired connection (kind 0) and 250 Hz ("2") otherwise. The worker
// learns of it only through the job queued afterwards.
void RestoreProfileDefaults(store::ProfileDatabase& database, int profile, int connectionKind);

}  // namespace app
