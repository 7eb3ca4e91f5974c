#include "app/ProfileDefaults.h"

#include "store/ConfigDefaults.h"

namespace app {

void RestoreProfileDefaults(store::ProfileDatabase& database, int profile, int connectionKind) {
    // Each store operation is atomic on its own. No hold is kept across them: resetting the
    // values asks the device manager for the connection kind, and the manager's lock is never
    // taken while the store's is held.
    database.DeleteKeyMappings(profile);
    database.ResetConfigDefaults(profile);
    database.SetConfigValue(profile, store::config_key::kReportRate,
                            connectionKind == 0 ? u"4" : u"2");
}

}  // namespace app
