#include "app/NotificationPoller.h"

#include <algorithm>
#include <string>

#include "app/DeviceCommand.h"
#include "base/Clock.h"
#include "protocol/CommandSet.h"
#include "store/ConfigDefaults.h"

namespace app {

namespace {

constexpr uint8_t kEventDpiAndRate = 0x10;
constexpr uint8_t kEventLightMode = 0x11;
constexpr uint8_t kEventEmoji = 0x50;
constexpr uint8_t kEventEmojiAlt = 0x60;
constexpr uint8_t kEventBattery = 0xD0;
constexpr int kMaxStage = 6;
constexpr int kMaxLightMode = 6;

std::u16string Decimal(int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

NotificationPoller::NotificationPoller(device::DeviceManager& manager,
                                       store::ProfileDatabase& database, CommandQueue& queue,
                                       DeviceView& view, EmojiTyper typeEmoji)
    : m_manager(manager),
      m_database(database),
      m_queue(queue),
      m_view(view),
      m_typeEmoji(std::move(typeEmoji)) {}

void NotificationPoller::PollNotification(int currentProfile, const GiveWay& giveWay) {
    base::Clock& clock = base::DefaultClock();
    const uint32_t now = clock.TickCount();
    if (m_havePolled && now - m_lastPoll < kPollIntervalMs) {
        return;
    }
    m_havePolled = true;
    m_lastPoll = now;

    std::array<uint8_t, 65> buffer{};
    int received = 0;
    if (const std::shared_ptr<platform::HidDevice> device = m_manager.ActiveConnection()) {
        // The mouse gets its full second to speak, in short slices, so that a job queued
        // meanwhile starts after one slice instead of after the whole second.
        const uint32_t start = clock.TickCount();
        for (;;) {
            const uint32_t elapsed = clock.TickCount() - start;
            if (elapsed >= static_cast<uint32_t>(kReadTimeoutMs)) {
                break;
            }
            const int slice =
                std::min<int>(kReadSliceMs, kReadTimeoutMs - static_cast<int>(elapsed));
            received = m_manager.Read(device.get(),
                                      std::span<uint8_t>(buffer.data(), protocol::kNotificationSize),
                                      slice);
            if (received != 0 || (giveWay && giveWay())) {
                break;
            }
        }
    }
    if (received <= 0) {
        return;
    }
    HandleNotification(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(received)),
                       currentProfile);
}

void NotificationPoller::HandleNotification(std::span<const uint8_t> report, int currentProfile) {
    // A short report reads as zeros past its end, as in a cleared buffer.
    std::array<uint8_t, protocol::kNotificationSize> n{};
    std::copy_n(report.begin(), std::min(report.size(), n.size()), n.begin());
    if (n[0] != protocol::kNotificationMark0 || n[1] != protocol::kNotificationMark1 ||
        (n[2] == protocol::kNotificationIgnoreMark && n[3] == protocol::kNotificationIgnoreMark)) {
        return;
    }
    const uint8_t event = n[protocol::kNotificationEventIndex];
    const uint8_t value1 = n[9];
    const uint8_t value2 = n[10];
    if (value1 == 0xFF || value2 == 0xFF) {
        // The mouse lost its DPI setting: send the stored stage back.
        m_queue.Push(JOB_SEND_DPI);
        return;
    }
    switch (event) {
        case kEventEmoji:
        case kEventEmojiAlt:
            if (m_typeEmoji) {
                m_typeEmoji(value1);
            }
            break;
        case kEventBattery:
            m_view.SetBatteryInfo(std::min<int>(value1, 100), value2);
            break;
        case kEventDpiAndRate:
            if (value1 != m_stage) {
                const int stage = std::clamp<int>(value1, 1, kMaxStage);
                m_stage = stage;
                m_database.SetConfigValue(currentProfile, store::config_key::kDpiIndex,
                                          Decimal(stage - 1));
                m_view.SelectDpiStage(stage);
            }
            m_rate = value2;
            m_database.SetConfigValue(currentProfile, store::config_key::kReportRate,
                                      Decimal(value2));
            m_view.CheckReportRate(value2);
            break;
        case kEventLightMode: {
            const int mode = std::min<int>(value1, kMaxLightMode);
            m_view.SelectLightMode(mode);
            m_database.SetConfigValue(currentProfile, store::config_key::kLightMode, Decimal(mode));
            break;
        }
        default:
            break;
    }
}

}  // namespace app
