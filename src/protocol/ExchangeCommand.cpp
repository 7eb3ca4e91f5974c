#include "protocol/ExchangeCommand.h"

#include <array>

#include "base/Clock.h"
#include "protocol/CommandSet.h"

namespace protocol {

namespace {

constexpr uint32_t kWriteRetryDelayMs = 10;
constexpr int kReplyTimeoutMs = 1000;
// Pauses before the second and the third round after a missing or bad reply.
constexpr uint32_t kRoundDelaysMs[] = {100, 1000};

}  // namespace

bool ExchangeCommand(device::DeviceManager& manager, CommandReport& report) {
    if (!manager.IsOpened()) {
        return false;
    }
    const std::shared_ptr<platform::HidDevice> device = manager.ActiveConnection();
    if (!device) {
        return false;
    }
    report.FillChecksum();
    // The request stays apart from the reply buffer, so a re-write never sends back what a
    // failed read left there.
    const std::array<uint8_t, CommandReport::kSize> request = report.Bytes();
    base::Clock& clock = base::DefaultClock();

    if (manager.Write(device.get(), request) <= 0) {
        clock.Sleep(kWriteRetryDelayMs);
        if (manager.Write(device.get(), request) <= 0) {
            return false;
        }
    }

    std::array<uint8_t, CommandReport::kSize> reply{};
    const auto readReply = [&] {
        reply.fill(0);
        const int n = manager.Read(device.get(), reply, kReplyTimeoutMs);
        if (n <= 0) {
            reply.fill(0);
            return false;
        }
        return reply[kRStatus] == kReplyAccepted;
    };
    bool accepted = readReply();
    for (uint32_t delay : kRoundDelaysMs) {
        if (accepted) {
            break;
        }
        clock.Sleep(delay);
        manager.Write(device.get(), request);  // the result does not matter: the read decides
        accepted = readReply();
    }
    report.Bytes() = reply;
    return accepted;
}

bool ExchangeCommand(CommandReport& report) {
    return ExchangeCommand(device::DeviceManager::Instance(), report);
}

}  // namespace protocol
