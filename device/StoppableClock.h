#pragma once
// The worker's clock on the monotonic system clock. Stop wakes every pause at once and makes later
// pauses return at once, until Restart.
// Thread contract: Pause and NowMs from the worker thread, Stop and Restart from any thread.

#include "device/WorkerClock.h"

#include <condition_variable>
#include <mutex>

class StoppableClock final : public WorkerClock {
public:
    std::uint32_t NowMs() override;
    bool Pause(std::chrono::milliseconds duration) override;

    void Stop();
    void Restart();
    bool Stopping() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
};
