#include "pause.h"

namespace vornak {

void stall(Clock& clock)
{
    const Clock::time_point deadline = clock.now() + kPauseLength;
    // A sleep may end early (a signal, a coarse timer): sleep again for what
    // is left until a reading reaches the deadline.
    for (Clock::time_point t = clock.now(); t < deadline; t = clock.now())
        clock.sleepUntil(deadline);
}

}  // namespace vornak
