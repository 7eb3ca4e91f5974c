#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace app {

// The first-in first-out list of DeviceCommand codes between the window (and the notification
// poll) and the worker. Appending and taking are safe from any thread; a waiting worker wakes as
// soon as a code arrives.
class CommandQueue {
public:
    void Push(int code);
    // The first code, removed from the queue; nothing when empty.
    std::optional<int> Take();
    bool Empty() const;
    size_t Size() const;
    // The codes in order, without taking them.
    std::vector<int> Snapshot() const;

    // Waits until the queue is not empty, Wake() is called, or the time is up. True when a code
    // is waiting.
    bool WaitForCode(std::chrono::milliseconds timeout);
    // Ends a WaitForCode early (used when the worker is asked to stop).
    void Wake();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_codes;
    bool m_woken = false;
};

}  // namespace app
