// The standard library's monotonic clock behind the busy pause, where the
// standard library makes it monotonic (not so on every Windows runtime,
// which has a clock of its own).
#pragma once

#include "pause.h"

namespace vornak {

// Midnight and changes of the wall clock do not touch it. The thread
// sleeps, so a pause costs no processor time.
class SteadyClock : public Clock {
public:
    time_point now() override;
    void sleepUntil(time_point deadline) override;
};

}  // namespace vornak
