// The busy pause's clock in the browser: the page's monotonic clock, and a
// sleep that hands the thread back to the browser (the program is suspended
// and resumed where it stopped), so the page is frozen without blocking it.
#pragma once

#include "app/pause.h"

namespace vornak::web {

class Clock : public vornak::Clock {
public:
    time_point now() override;
    void sleepUntil(time_point deadline) override;
};

}  // namespace vornak::web
