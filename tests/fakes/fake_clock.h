// The fake clock of the handler tests (core/clock.h): TickCount gives a value the test sets, and
// SleepMilliseconds only moves it on.
#pragma once

#include <cstdint>

namespace fake {

void SetClock(std::uint32_t milliseconds);
std::uint32_t ClockNow();

}  // namespace fake
