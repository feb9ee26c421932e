// The clock behind the busy pause.
#pragma once

#include <chrono>

namespace vornak {

class Clock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual time_point now() = 0;
    virtual void sleepUntil(time_point deadline) = 0;
};

constexpr std::chrono::seconds kPauseLength{3};

// Stalls the calling thread until the pause length has passed on the clock.
void stall(Clock& clock);

}  // namespace vornak
