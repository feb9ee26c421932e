#include "webclock.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

namespace vornak::web {

Clock::time_point Clock::now()
{
    const double ms = emscripten_get_now();
    return time_point(std::chrono::nanoseconds(static_cast<long long>(ms * 1e6)));
}

void Clock::sleepUntil(time_point deadline)
{
    // In short steps: a browser may fire a long timer late (Firefox has been
    // seen a quarter of a second late on three seconds), and the pause
    // would grow by as much.
    constexpr double kStep = 100;
    const double ms = std::chrono::duration<double, std::milli>(deadline - now()).count();
    if (ms > 0)
        emscripten_sleep(static_cast<unsigned>(std::ceil(std::min(ms, kStep))));
}

}  // namespace vornak::web
