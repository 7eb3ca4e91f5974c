#include "base/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace base {

uint32_t SystemClock::TickCount() { return static_cast<uint32_t>(TickCount64()); }

uint64_t SystemClock::TickCount64() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t ms) {
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
SystemClock g_systemClock;
std::atomic<Clock*> g_clock{nullptr};
}  // namespace

Clock& DefaultClock() {
    Clock* clock = g_clock.load(std::memory_order_acquire);
    return clock ? *clock : g_systemClock;
}

void SetDefaultClock(Clock* clock) { g_clock.store(clock, std::memory_order_release); }

}  // namespace base
