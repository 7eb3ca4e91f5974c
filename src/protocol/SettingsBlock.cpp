#include "protocol/SettingsBlock.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "protocol/CommandSet.h"
#include "protocol/DeviceProfile.h"
#include "protocol/ExchangeCommand.h"
#include "store/ConfigDefaults.h"

namespace protocol {

namespace {

namespace key = store::config_key;

// Positions in the CMD_WRITE_SETTINGS request. The CMD_READ_SETTINGS reply holds the same
// payload byte one position lower (R[k] is Q[k+1]).
constexpr int kQBlockProfile = 9;
constexpr int kQLightMode = 10;
constexpr int kQReportRate = 11;
constexpr int kQStageCount = 12;
constexpr int kQSelectedStage = 13;
constexpr int kQStageValues = 14;   // six 16-bit values, little-endian
constexpr int kQStageColours = 26;  // six red, green, blue triples
constexpr int kQSensorBits = 51;
constexpr int kReplyShift = 1;  // R[k] = Q[k+1]

constexpr int kStages = 6;
constexpr int kMinStageValue = 50;
constexpr int kMaxStageValue = 26000;

// Bytes that carry one configuration key as it is, in block order.
struct ByteField {
    int q;
    std::string_view key;
};

constexpr ByteField kLeadingFields[] = {
    {kQLightMode, key::kLightMode},
    {kQReportRate, key::kReportRate},
};

// Before the sensor option bits at Q[51] ...
constexpr ByteField kMiddleFields[] = {
    {49, key::kScrollFlag},
    {50, key::kLiftoffHeight},
};

// ... and after them.
constexpr ByteField kTrailingFields[] = {
    {52, key::kButtonRespondTime},
    {53, key::kSleepLight},
    {54, key::kEsportsFlag},
};

// The stored sensor options (bit values 4, 8, 16 of "sensor_flag") and the bits the mouse keeps
// them in. Other bits are neither sent nor read back.
struct SensorBit {
    int stored;
    uint8_t device;
};

constexpr SensorBit kSensorBits[] = {{4, 0x10}, {8, 0x01}, {16, 0x20}};

// The byte that marks a stage value the mouse never had: its first stage reads FF FF FF.
constexpr uint8_t kUnprogrammed = 0xFF;

// The selected stage, 0-based. A stored value outside 0..5 means stage 1, as on the DPI page.
int SelectedStage(store::ProfileDatabase& db, int profile) {
    const int stage = db.GetConfigInt(profile, key::kDpiIndex);
    return stage >= 0 && stage < kStages ? stage : 0;
}

bool InStageRange(int value) {
    return value >= kMinStageValue && value <= kMaxStageValue;
}

uint8_t LowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

uint8_t HighByte(int value) {
    return static_cast<uint8_t>((value >> 8) & 0xFF);
}

// A reply byte by its request position.
uint8_t ReplyByte(const CommandReport& reply, int q) {
    return reply[static_cast<size_t>(q - kReplyShift)];
}

}  // namespace

CommandReport BuildSettingsBlock(store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return CommandReport{};
    }
    CommandReport report = CommandReport::For(CMD_WRITE_SETTINGS, ProfileIndexOf(profile));
    // One hold, so the block never mixes values from before and after a page's change.
    const auto hold = db.Hold();
    report[kQBlockProfile] = ProfileIndexOf(profile);
    for (const ByteField& field : kLeadingFields) {
        report[field.q] = LowByte(db.GetConfigInt(profile, field.key));
    }
    // The mouse always gets six stages; "dpi_flag" and "dpi_count" are not sent.
    report[kQStageCount] = kStages;
    report[kQSelectedStage] = static_cast<uint8_t>(SelectedStage(db, profile) + 1);
    for (int stage = 0; stage < kStages; ++stage) {
        const int value = db.GetConfigInt(profile, store::DpiValueKey(stage));
        if (InStageRange(value)) {
            report[kQStageValues + 2 * stage] = LowByte(value);
            report[kQStageValues + 2 * stage + 1] = HighByte(value);
        }
        // Colours are kept as 0x00BBGGRR and sent as red, green, blue.
        const int colour = db.GetConfigInt(profile, store::DpiColourKey(stage));
        report[kQStageColours + 3 * stage] = LowByte(colour);
        report[kQStageColours + 3 * stage + 1] = HighByte(colour);
        report[kQStageColours + 3 * stage + 2] = LowByte(colour >> 16);
    }
    for (const ByteField& field : kMiddleFields) {
        report[field.q] = LowByte(db.GetConfigInt(profile, field.key));
    }
    const int sensor = db.GetConfigInt(profile, key::kSensorFlag);
    for (const SensorBit& bit : kSensorBits) {
        if (sensor & bit.stored) {
            report[kQSensorBits] |= bit.device;
        }
    }
    for (const ByteField& field : kTrailingFields) {
        report[field.q] = LowByte(db.GetConfigInt(profile, field.key));
    }
    return report;
}

void WriteSettingsBlock(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return;
    }
    CommandReport report = BuildSettingsBlock(db, profile);
    ExchangeCommand(dm, report);
}

void SendDpiStage(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return;
    }
    CommandReport report = CommandReport::For(CMD_SET_DPI, ProfileIndexOf(profile));
    {
        const auto hold = db.Hold();
        const int stage = SelectedStage(db, profile);
        const int value = db.GetConfigInt(profile, store::DpiValueKey(stage));
        report[kQData + 2] = static_cast<uint8_t>(stage + 1);
        report[kQData + 3] = LowByte(value);
        report[kQData + 4] = HighByte(value);
    }
    ExchangeCommand(dm, report);
}

void SendReportRate(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return;
    }
    CommandReport report = CommandReport::For(CMD_SET_REPORT_RATE, ProfileIndexOf(profile));
    report[kQData + 2] = LowByte(db.GetConfigInt(profile, key::kReportRate));
    ExchangeCommand(dm, report);
}

SettingsReadResult StoreSettingsReply(store::ProfileDatabase& db, int profile,
                                      const CommandReport& reply) {
    if (!IsDeviceProfile(profile) || !reply.IsReplyTo(CMD_READ_SETTINGS)) {
        return SettingsReadResult::Rejected;
    }
    const uint8_t stageCount = ReplyByte(reply, kQStageCount);
    if (ReplyByte(reply, kQLightMode) == 0 && ReplyByte(reply, kQReportRate) == 0 &&
        stageCount == 0) {
        return SettingsReadResult::EmptyProfile;
    }
    if (ReplyByte(reply, kQStageValues) == kUnprogrammed &&
        ReplyByte(reply, kQStageValues + 1) == kUnprogrammed &&
        ReplyByte(reply, kQStageValues + 2) == kUnprogrammed) {
        return SettingsReadResult::Unprogrammed;
    }

    const auto hold = db.Hold();
    for (const ByteField& field : kLeadingFields) {
        db.SetConfigInt(profile, field.key, ReplyByte(reply, field.q));
    }
    db.SetConfigInt(profile, key::kDpiFlag, stageCount);
    db.SetConfigInt(profile, key::kDpiCount, stageCount);
    // The mouse counts stages from 1; 0 and anything past the sixth are held to the ends.
    const int selected = ReplyByte(reply, kQSelectedStage);
    db.SetConfigInt(profile, key::kDpiIndex,
                    selected < 1 ? 0 : std::min(selected - 1, kStages - 1));
    for (int stage = 0; stage < kStages; ++stage) {
        const int value = ReplyByte(reply, kQStageValues + 2 * stage) |
                          (ReplyByte(reply, kQStageValues + 2 * stage + 1) << 8);
        if (InStageRange(value)) {
            db.SetConfigInt(profile, store::DpiValueKey(stage), value);
        }
    }
    for (const ByteField& field : kMiddleFields) {
        db.SetConfigInt(profile, field.key, ReplyByte(reply, field.q));
    }
    int sensor = 0;
    for (const SensorBit& bit : kSensorBits) {
        if (ReplyByte(reply, kQSensorBits) & bit.device) {
            sensor |= bit.stored;
        }
    }
    db.SetConfigInt(profile, key::kSensorFlag, sensor);
    for (const ByteField& field : kTrailingFields) {
        db.SetConfigInt(profile, field.key, ReplyByte(reply, field.q));
    }
    return SettingsReadResult::Stored;
}

void ReadSettings(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return;
    }
    CommandReport report = CommandReport::For(CMD_READ_SETTINGS, ProfileIndexOf(profile));
    ExchangeCommand(dm, report);
    if (StoreSettingsReply(db, profile, report) == SettingsReadResult::Unprogrammed) {
        // A mouse that was never programmed takes the tool's settings instead of giving its own.
        WriteSettingsBlock(dm, db, profile);
    }
}

}  // namespace protocol
