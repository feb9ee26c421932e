// The clock the tests give the busy pause: time passes only when slept, so
// a pause costs nothing. What a test wants done "during" a pause runs in
// the sleep, while the program's thread is stalled and handles nothing.
#pragma once

#include "app/pause.h"

#include <chrono>
#include <functional>

namespace vornak::test {

class FakeClock : public Clock {
public:
    time_point t{std::chrono::hours(24)};
    int sleeps = 0;
    std::chrono::nanoseconds slept{0};
    std::function<void()> whileAsleep;

    time_point now() override { return t; }
    void sleepUntil(time_point deadline) override
    {
        ++sleeps;
        if (whileAsleep)
            whileAsleep();
        if (deadline > t) {
            slept += deadline - t;
            t = deadline;
        }
    }
};

}  // namespace vornak::test
