#include "protocol/DeviceStateReader.h"

#include "protocol/ButtonUpload.h"
#include "protocol/CommandReport.h"
#include "protocol/CommandSet.h"
#include "protocol/DeviceProfile.h"
#include "protocol/ExchangeCommand.h"
#include "protocol/QueryFeatureString.h"
#include "protocol/SettingsBlock.h"

namespace protocol {

namespace {

constexpr int kRBatteryLevel = 8;
constexpr int kRBatteryState = 9;
// Three ASCII digits of the firmware version.
constexpr int kRVersionDigits = 23;
constexpr int kVersionDigits = 3;

}  // namespace

std::optional<BatteryReading> ReadBattery(device::DeviceManager& dm, int profile) {
    if (!IsDeviceProfile(profile)) {
        return std::nullopt;
    }
    CommandReport report = CommandReport::For(CMD_READ_BATTERY, ProfileIndexOf(profile));
    ExchangeCommand(dm, report);
    if (!report.IsReplyTo(CMD_READ_BATTERY)) {
        return std::nullopt;
    }
    return BatteryReading{report[kRBatteryLevel], report[kRBatteryState]};
}

std::optional<BatteryReading> ReadDeviceState(device::DeviceManager& dm, store::ProfileDatabase& db,
                                              int profile) {
    const std::optional<BatteryReading> battery = ReadBattery(dm, profile);
    for (int p = 1; p <= kDeviceProfiles; ++p) {
        ReadButtonEntries(dm, db, p);
    }
    ReadSettings(dm, db, profile);
    return battery;
}

std::u16string ReadFirmwareText(device::DeviceManager& dm) {
    std::u16string text;
    QueryFeatureString(dm, kFeatureTargetMouse, text);
    return text;
}

std::u16string ReadFirmwareVersions(device::DeviceManager& dm) {
    std::u16string text = ReadFirmwareText(dm);
    CommandReport report = CommandReport::For(CMD_READ_VERSION);
    ExchangeCommand(dm, report);
    if (report.IsReplyTo(CMD_READ_VERSION)) {
        text.clear();
        for (int i = 0; i < kVersionDigits; ++i) {
            const uint8_t c = report[kRVersionDigits + i];
            if (i > 0) {
                text += u'.';
            }
            text += c >= '0' && c <= '9' ? char16_t(c) : u'0';
        }
    }
    return text;
}

}  // namespace protocol
