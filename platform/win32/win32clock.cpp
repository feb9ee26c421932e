#include "win32clock.h"

#include <windows.h>

namespace vornak::win32 {

Clock::Clock()
{
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);  // never fails on XP and later
    frequency_ = f.QuadPart > 0 ? f.QuadPart : 1;
}

Clock::time_point Clock::now()
{
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    // Whole seconds and the remainder apart, so that the product never
    // overflows however long the machine has been running.
    const long long seconds = c.QuadPart / frequency_;
    const long long rest = c.QuadPart % frequency_;
    return time_point(std::chrono::nanoseconds(seconds * 1'000'000'000LL + rest * 1'000'000'000LL / frequency_));
}

void Clock::sleepUntil(time_point deadline)
{
    const auto left = deadline - now();
    if (left <= left.zero())
        return;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    Sleep(static_cast<DWORD>(ms));
}

}  // namespace vornak::win32
