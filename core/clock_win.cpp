// The clock on Windows.
#include "core/clock.h"

#include "core/windows_api.h"

std::uint32_t TickCount() {
    return GetTickCount();
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}
