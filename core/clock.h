// The clock, for timing a scan and pacing its dispatch loop.
#pragma once

#include <cstdint>

// Milliseconds since the system started, wrapping around after about 49.7 days.
std::uint32_t TickCount();

// Blocks the calling thread for about the given number of milliseconds.
void SleepMilliseconds(std::uint32_t milliseconds);
