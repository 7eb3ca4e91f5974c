#pragma once

#include <cstdint>

namespace base {

// Every fixed wait of the program (sleeps, read time-outs, the worker period, the poll cadence)
// and every tick count it stamps goes through this interface, so tests can replace time itself.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, like a system tick count; wraps at 2^32.
    virtual uint32_t TickCount() = 0;
    // 64-bit milliseconds since the same start; never wraps.
    virtual uint64_t TickCount64() = 0;
    // Blocks the calling thread for the given number of milliseconds (0 yields).
    virtual void Sleep(uint32_t ms) = 0;
};

// The real clock: a monotonic millisecond count and real sleeping.
class SystemClock final : public Clock {
public:
    uint32_t TickCount() override;
    uint64_t TickCount64() override;
    void Sleep(uint32_t ms) override;
};

// The clock the program uses unless a test installs another one. Never null.
Clock& DefaultClock();
// Installs a clock for the whole process (null restores the real one). Tests only; the caller
// keeps ownership and must restore the real clock before the installed one is destroyed.
void SetDefaultClock(Clock* clock);

}  // namespace base
