// A clock for the front-end tests: time passes only when slept, so a pause
// costs nothing. What a test wants done "during" a pause runs in the sleep,
// while the program's thread is stalled and handles nothing.
#pragma once

#include "app/pause.h"

#include <functional>

namespace vornak::test {

class FastClock : public Clock {
public:
    time_point t{};
    int pauses = 0;
    std::function<void()> duringPause;

    time_point now() override { return t; }
    void sleepUntil(time_point deadline) override
    {
        ++pauses;
        if (duringPause)
            duringPause();
        t = deadline;
    }
};

}  // namespace vornak::test
