#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "base/Clock.h"

namespace testing_support {

// A clock whose time moves only when someone sleeps on it or a test advances it, so waits of
// seconds take no time at all. Every Sleep is recorded. Thread-safe.
class FakeClock final : public base::Clock {
  public:
    explicit FakeClock(uint64_t start = 1000) : m_now(start) {}

    uint32_t TickCount() override;
    uint64_t TickCount64() override;
    // Advances the time by ms and records the sleep; never blocks.
    void Sleep(uint32_t ms) override;

    void Advance(uint64_t ms);
    // The sleeps made so far, in order.
    std::vector<uint32_t> Sleeps() const;
    void ClearSleeps();

  private:
    mutable std::mutex m_mutex;
    uint64_t m_now;
    std::vector<uint32_t> m_sleeps;
};

// Installs a FakeClock as the program's clock for its lifetime and restores the real one after.
class ScopedFakeClock {
  public:
    explicit ScopedFakeClock(uint64_t start = 1000);
    ~ScopedFakeClock();
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;

    FakeClock& Clock() { return m_clock; }
    FakeClock* operator->() { return &m_clock; }

  private:
    FakeClock m_clock;
};

}  // namespace testing_support
