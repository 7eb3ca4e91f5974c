// The worker in real time behind the window: a job queued by the window reaches the mouse
// within a few tens of milliseconds although the worker sits in its idle read of notifications,
// and ending the window's run while a long job is under way returns within about a second.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>

#include "WindowFixture.h"
#include "base/Clock.h"
#include "protocol/CommandSet.h"
#include "sim/SimMode.h"

namespace gui_test {
namespace {

class WorkerTiming : public WindowFixture {
  protected:
    // Time of the first write of `command` to the mouse at or after `since`, or 0.
    uint64_t FirstWrite(uint8_t command, uint64_t since) {
        for (const sim::IoRecord& record : Bus().IoLog()) {
            if (record.kind == sim::IoRecord::Kind::Write && record.time >= since &&
                record.bytes.size() > 2 && record.bytes[2] == command) {
                return record.time;
            }
        }
        return 0;
    }
    // Waits until the worker has timed out `count` slices of its idle read after `since`.
    bool IdleReadsAfter(uint64_t since, int count) {
        return WaitFor([&] {
            int seen = 0;
            for (const sim::IoRecord& record : Bus().IoLog()) {
                seen += record.kind == sim::IoRecord::Kind::ReadTimeout && record.time >= since;
            }
            return seen >= count;
        });
    }
};

TEST_F(WorkerTiming, QueuedJobsReachTheMouseWithinAFewTensOfMilliseconds) {
    Bus().SetMode(sim::SimMode::Wired);
    Open();
    base::Clock& clock = base::DefaultClock();
    std::vector<long> delays;

    // Light-mode changes, queued from the window thread at different points of the idle read:
    // 0, 4, 8, 12 and 16 ms after one of its 20 ms slices timed out.
    for (int i = 0; i < 5; ++i) {
        Bus().ClearIoLog();
        ASSERT_TRUE(IdleReadsAfter(0, 1 + i)) << "the worker reads notifications while idle";
        const uint64_t sliceEnded = clock.TickCount64();
        ASSERT_TRUE(WaitFor([&] { return clock.TickCount64() >= sliceEnded + 4 * i; }));
        const uint64_t queued = clock.TickCount64();
        Controller().QueueCommand(app::JOB_WRITE_LIGHT);
        ASSERT_TRUE(WaitFor([&] { return FirstWrite(protocol::CMD_SET_LIGHT_MODE, queued) != 0; }));
        delays.push_back(
            static_cast<long>(FirstWrite(protocol::CMD_SET_LIGHT_MODE, queued) - queued));
    }
    // The apply button: from the click to the upload's first report.
    Bus().ClearIoLog();
    ASSERT_TRUE(IdleReadsAfter(0, 2));
    const uint64_t clicked = clock.TickCount64();
    window->Click(DeviceMainDlg::kApplyProfile);
    const uint64_t first = FirstWrite(protocol::CMD_MACRO_DATA, clicked);
    ASSERT_NE(first, 0u);
    delays.push_back(static_cast<long>(first - clicked));
    ASSERT_TRUE(WaitFor([&] { return !window->boxes.empty() && ModalTitle().isEmpty(); }));

    std::printf("queue-to-first-exchange delays through the window (ms):");
    for (long delay : delays) {
        std::printf(" %ld", delay);
    }
    std::printf("\n");
    const long worst = *std::max_element(delays.begin(), delays.end());
    RecordProperty("worst_queue_delay_ms", static_cast<int>(worst));
    EXPECT_LT(worst, 80) << "a queued job does not wait behind the idle read";
}

// The window's run is ended while an upload is slowed down by the mouse's latency: the window
// stops the worker, waiting at most a second, and its run returns. The job then runs to its end
// with the window gone; its last updates are dropped.
TEST_F(WorkerTiming, EndingTheWindowDuringALongJobReturnsWithinASecond) {
    std::atomic<bool> uploading = false;
    std::chrono::steady_clock::time_point started;
    jobObserver = [&](int code) {
        if (code == app::JOB_UPLOAD_PROFILE) {
            started = std::chrono::steady_clock::now();
            uploading = true;
            window->DoCancel();  // safe from the worker: handed to the window thread
        }
    };
    Bus().SetMode(sim::SimMode::Wired);
    Open();
    Bus().SetLatency(120);  // eleven reports: well over a second

    QTimer::singleShot(0, qApp, [&] { Controller().QueueCommand(app::JOB_UPLOAD_PROFILE); });
    window->ShowModal(1);
    const auto returned = std::chrono::steady_clock::now();
    ASSERT_TRUE(uploading);
    const auto waited = returned - started;
    EXPECT_LT(waited, std::chrono::milliseconds(1300));
    EXPECT_FALSE(device->StoppedInTime()) << "the upload was still running";

    window.reset();
    QCoreApplication::sendPostedEvents();
    device.reset();  // waits for the upload
    EXPECT_EQ(Bus().Mouse().AcceptedCount(protocol::CMD_SET_REPORT_RATE), 1)
        << "the job ran to its end";
}

}  // namespace
}  // namespace gui_test
