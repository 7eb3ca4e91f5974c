#include "app/CThreadBasic.h"

namespace app {

CThreadBasic::~CThreadBasic() { JoinWorker(); }

void CThreadBasic::StartWorker(uint32_t startTick, int intervalMs) {
    if (m_running.load() || m_thread.joinable()) {
        return;
    }
    m_interval = intervalMs;
    m_repeat = 1;
    m_startTick = startTick;
    {
        std::lock_guard lock(m_doneMutex);
        m_done = false;
    }
    m_running.store(1);
    m_thread = std::thread([this] { Loop(); });
}

void CThreadBasic::Loop() {
    if (m_repeat == 0) {
        ThreadBody();
    } else {
        while (m_running.load()) {
            ThreadBody();
            if (!m_running.load()) {
                break;
            }
            PauseBetweenRuns(std::chrono::milliseconds(m_interval));
        }
    }
    {
        std::lock_guard lock(m_doneMutex);
        m_done = true;
    }
    m_doneChanged.notify_all();
}

void CThreadBasic::PauseBetweenRuns(std::chrono::milliseconds interval) {
    std::this_thread::sleep_for(interval);
}

bool CThreadBasic::StopWorker(std::chrono::milliseconds timeout) {
    if (!m_thread.joinable()) {
        return true;
    }
    m_running.store(0);
    OnStopRequested();
    std::unique_lock lock(m_doneMutex);
    const bool ended = m_doneChanged.wait_for(lock, timeout, [this] { return m_done; });
    lock.unlock();
    if (ended) {
        m_thread.join();
    }
    return ended;
}

void CThreadBasic::JoinWorker() {
    m_running.store(0);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace app
