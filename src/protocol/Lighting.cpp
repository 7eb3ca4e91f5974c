#include "protocol/Lighting.h"

#include "protocol/CommandSet.h"
#include "protocol/DeviceProfile.h"
#include "protocol/ExchangeCommand.h"
#include "store/ConfigDefaults.h"

namespace protocol {

namespace {

constexpr int kQLightMode = 11;

}  // namespace

void SendLightMode(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return;
    }
    CommandReport report = CommandReport::For(CMD_SET_LIGHT_MODE, ProfileIndexOf(profile));
    const int mode = db.GetConfigInt(profile, store::config_key::kLightMode);
    report[kQLightMode] = static_cast<uint8_t>(mode & 0xFF);
    ExchangeCommand(dm, report);
}

}  // namespace protocol
