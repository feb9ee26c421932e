#include "webclock.h"

#include <emscripten.h>

#include <cmath>

namespace vornak::web {

Clock::time_point Clock::now()
{
    const double ms = emscripten_get_now();
    return time_point(std::chrono::nanoseconds(static_cast<long long>(ms * 1e6)));
}

void Clock::sleepUntil(time_point deadline)
{
    const double ms = std::chrono::duration<double, std::milli>(deadline - now()).count();
    if (ms > 0)
        emscripten_sleep(static_cast<unsigned>(std::ceil(ms)));
}

}  // namespace vornak::web
