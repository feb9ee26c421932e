// The busy pause's clock on Windows: the performance counter, which is
// monotonic on every version (the C++ runtime's steady clock of this
// toolchain follows the wall clock), and the system's Sleep.
#pragma once

#include "app/pause.h"

namespace vornak::win32 {

class Clock : public vornak::Clock {
public:
    Clock();
    time_point now() override;
    // Sleeps in whole milliseconds, rounded up, so that a reading after it
    // has reached the deadline; prepareProcess() sets a 1 ms timer.
    void sleepUntil(time_point deadline) override;

private:
    long long frequency_;
};

}  // namespace vornak::win32
