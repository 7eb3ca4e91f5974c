#include "app/CommandQueue.h"

namespace app {

void CommandQueue::Push(int code) {
    {
        std::lock_guard lock(m_mutex);
        m_codes.push_back(code);
    }
    m_changed.notify_all();
}

std::optional<int> CommandQueue::Take() {
    std::lock_guard lock(m_mutex);
    if (m_codes.empty()) {
        return std::nullopt;
    }
    const int code = m_codes.front();
    m_codes.pop_front();
    return code;
}

bool CommandQueue::Empty() const {
    std::lock_guard lock(m_mutex);
    return m_codes.empty();
}

size_t CommandQueue::Size() const {
    std::lock_guard lock(m_mutex);
    return m_codes.size();
}

std::vector<int> CommandQueue::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return {m_codes.begin(), m_codes.end()};
}

bool CommandQueue::WaitForCode(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return !m_codes.empty() || m_woken; });
    m_woken = false;
    return !m_codes.empty();
}

void CommandQueue::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_changed.notify_all();
}

}  // namespace app
