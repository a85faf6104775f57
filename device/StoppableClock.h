#pragma once
// The worker's clock on the monotonic system clock.
// Thread contract: every operation may be called from any thread.

#include "device/WorkerClock.h"

#include <condition_variable>
#include <mutex>

class StoppableClock final : public WorkerClock {
public:
    std::uint32_t NowMs() override;
    bool Pause(std::chrono::milliseconds duration) override;

    void Stop() override;

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
};
