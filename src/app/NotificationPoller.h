#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "app/CommandQueue.h"
#include "app/DeviceView.h"
#include "device/DeviceManager.h"
#include "store/ProfileDatabase.h"

namespace app {

// The worker's idle read of the mouse's unsolicited reports: DPI stage and report rate changed
// with the mouse's own buttons, light mode, battery, emoji buttons. At most one read every
// 200 ms; the read waits up to 1000 ms for a report but gives way as soon as a job is queued,
// so a queued job never waits behind it for more than one short slice.
class NotificationPoller {
public:
    static constexpr uint32_t kPollIntervalMs = 200;
    static constexpr int kReadTimeoutMs = 1000;
    static constexpr int kReadSliceMs = 20;

    // Types an emoji number into the focused window.
    using EmojiTyper = std::function<void(int number)>;
    // True when the read should give way (a job was queued, or the worker is stopping).
    using GiveWay = std::function<bool()>;

    NotificationPoller(device::DeviceManager& manager, store::ProfileDatabase& database,
                       CommandQueue& queue, DeviceView& view, EmojiTyper typeEmoji);

    // One idle poll for the current profile: returns at once when the last poll was less than
    // 200 ms ago, otherwise reads at most one report and handles it.
    void PollNotification(int currentProfile, const GiveWay& giveWay);

    // Handles one report as read (at most 21 bytes count). Exposed for tests.
    void HandleNotification(std::span<const uint8_t> report, int currentProfile);

    // The stage and report-rate code last reported; both start at 0, so the first DPI event
    // with a stage other than 0 counts as a change.
    int RememberedStage() const { return m_stage; }
    int RememberedRate() const { return m_rate; }
    // Forgets the last poll time, so the next poll reads at once (tests).
    void ResetCadence() { m_havePolled = false; }

private:
    device::DeviceManager& m_manager;
    store::ProfileDatabase& m_database;
    CommandQueue& m_queue;
    DeviceView& m_view;
    EmojiTyper m_typeEmoji;
    bool m_havePolled = false;
    uint32_t m_lastPoll = 0;
    int m_stage = 0;
    int m_rate = 0;
};

}  // namespace app
