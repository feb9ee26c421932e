#include "steadyclock.h"

#include <thread>

namespace vornak {

Clock::time_point SteadyClock::now()
{
    return std::chrono::steady_clock::now();
}

void SteadyClock::sleepUntil(time_point deadline)
{
    std::this_thread::sleep_until(deadline);
}

}  // namespace vornak
