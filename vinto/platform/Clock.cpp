#include "vinto/platform/Clock.h"

#include <time.h>

namespace Vinto {

Clock::Clock(Kind kind) : kind_(kind) {}

uint64_t Clock::Now() const
{
    if (kind_ == Kind::Manual)
        return manualNow_.load();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
}

void Clock::Advance(uint64_t milliseconds)
{
    if (kind_ == Kind::Manual)
        manualNow_ += milliseconds;
}

} // namespace Vinto
