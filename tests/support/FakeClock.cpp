#include "support/FakeClock.h"

namespace testing_support {

uint32_t FakeClock::TickCount() {
    return static_cast<uint32_t>(TickCount64());
}

uint64_t FakeClock::TickCount64() {
    std::lock_guard lock(m_mutex);
    return m_now;
}

void FakeClock::Sleep(uint32_t ms) {
    std::lock_guard lock(m_mutex);
    m_now += ms;
    m_sleeps.push_back(ms);
}

void FakeClock::Advance(uint64_t ms) {
    std::lock_guard lock(m_mutex);
    m_now += ms;
}

std::vector<uint32_t> FakeClock::Sleeps() const {
    std::lock_guard lock(m_mutex);
    return m_sleeps;
}

void FakeClock::ClearSleeps() {
    std::lock_guard lock(m_mutex);
    m_sleeps.clear();
}

ScopedFakeClock::ScopedFakeClock(uint64_t start) : m_clock(start) {
    base::SetDefaultClock(&m_clock);
}

ScopedFakeClock::~ScopedFakeClock() {
    base::SetDefaultClock(nullptr);
}

}  // namespace testing_support
