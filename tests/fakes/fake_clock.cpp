// The fake clock: time moves only when the code sleeps, so a loop of 500 ms passes runs at once
// and its timing is exact.
#include "tests/fakes/fake_clock.h"

#include <atomic>

#include "core/clock.h"

namespace fake {

namespace {

std::atomic<std::uint32_t> now{0};

}  // namespace

void SetClock(std::uint32_t milliseconds) {
    now = milliseconds;
}

std::uint32_t ClockNow() {
    return now;
}

}  // namespace fake

std::uint32_t TickCount() {
    return fake::now;
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    fake::now += milliseconds;
}
