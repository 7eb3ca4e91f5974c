#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace app {

// Runs a body repeatedly on a thread of its own: once when repeat is 0, otherwise while running,
// pausing `interval` milliseconds after each run. Completion is signalled when the loop ends.
class CThreadBasic {
public:
    CThreadBasic() = default;
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the thread unless it runs: interval 30 ms, repeat on, start tick now.
    void StartWorker(uint32_t startTick, int intervalMs = 30);
    // Asks the loop to end and waits up to `timeout` for it. True when it ended in time; false
    // when the body is still busy (the thread is then joined by the destructor at the latest).
    bool StopWorker(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool IsRunning() const { return m_running.load(); }
    uint32_t StartTick() const { return m_startTick; }

protected:
    // One run of the body.
    virtual void ThreadBody() = 0;
    // Waits between two runs; the default sleeps for the interval. A subclass may wake early.
    virtual void PauseBetweenRuns(std::chrono::milliseconds interval);
    // Called by StopWorker after clearing running, so a subclass can wake a waiting body.
    virtual void OnStopRequested() {}
    bool Running() const { return m_running.load(); }

    // Must be called by the most derived destructor before its members go away.
    void JoinWorker();

private:
    void Loop();

    std::atomic<int> m_running{0};
    int m_repeat = 0;
    int m_interval = 1;
    uint32_t m_startTick = 0;
    std::thread m_thread;
    std::mutex m_doneMutex;
    std::condition_variable m_doneChanged;
    bool m_done = true;
};

}  // namespace app
