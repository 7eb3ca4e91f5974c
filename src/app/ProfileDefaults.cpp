#include "app/ProfileDefaults.h"

#include "store/ConfigDefaults.h"

namespace app {

void RestoreProfileDefaults(store::ProfileDatabase& database, int profile, int connectionKind) {
    const auto hold = database.Hold();
    database.DeleteKeyMappings(profile);
    database.ResetConfigDefaults(profile);
    database.SetConfigValue(profile, store::config_key::kReportRate,
                            connectionKind == 0 ? u"4" : u"2");
}

}  // namespace app
