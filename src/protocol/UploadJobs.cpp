#include "protocol/UploadJobs.h"

#include <string>
#include <string_view>

#include "protocol/ButtonUpload.h"
#include "protocol/Lighting.h"
#include "protocol/MacroUpload.h"
#include "protocol/SettingsBlock.h"
#include "store/ConfigDefaults.h"

namespace protocol {

namespace {

// The light mode every reset returns a profile to.
constexpr std::u16string_view kResetLightMode = u"3";
// The connection kind of a mouse on a cable.
constexpr int kWiredConnection = 0;

// The report rate a reset profile gets: 1000 Hz over a cable, 250 Hz on every other connection.
std::u16string ReportRateFor(int connectionKind) {
    const std::string_view code =
        connectionKind == kWiredConnection ? store::kReportRateWired : store::kReportRateOther;
    return std::u16string(code.begin(), code.end());
}

}  // namespace

void UploadProfile(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    UploadMacros(dm, db);
    WriteButtonEntries(dm, db);
    WriteSettingsBlock(dm, db, profile);
    SendDpiStage(dm, db, profile);
    SendReportRate(dm, db, profile);
}

void ResetProfileOnDevice(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    WriteButtonEntries(dm, db);
    WriteSettingsBlock(dm, db, profile);
    SendDpiStage(dm, db, profile);
    SendReportRate(dm, db, profile);
    db.SetConfigValue(profile, store::config_key::kLightMode, kResetLightMode);
    SendLightMode(dm, db, profile);
}

std::optional<BatteryReading> FactoryResetOnDevice(device::DeviceManager& dm,
                                                   store::ProfileDatabase& db, int profile,
                                                   int connectionKind) {
    db.SetConfigValue(profile, store::config_key::kReportRate, ReportRateFor(connectionKind));
    db.SetConfigValue(profile, store::config_key::kLightMode, kResetLightMode);
    UploadMacros(dm, db);
    WriteButtonEntries(dm, db);
    WriteSettingsBlock(dm, db, profile);
    SendLightMode(dm, db, profile);
    return ReadBattery(dm, profile);
}

}  // namespace protocol
