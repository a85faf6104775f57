#pragma once
// A worker clock that never sleeps: a pause moves the tick forward at once and is recorded, so tests
// see every pause a task takes and how long it is. Once stopped, pauses end at once.

#include "device/WorkerClock.h"

#include <mutex>
#include <utility>
#include <vector>

class ManualClock final : public WorkerClock {
public:
    std::uint32_t NowMs() override
    {
        std::lock_guard lock(mutex_);
        return now_;
    }

    bool Pause(std::chrono::milliseconds duration) override
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return false;
        pauses_.push_back(static_cast<int>(duration.count()));
        now_ += static_cast<std::uint32_t>(duration.count());
        return true;
    }

    void Advance(std::uint32_t milliseconds)
    {
        std::lock_guard lock(mutex_);
        now_ += milliseconds;
    }

    void Stop() override
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }

    // The pauses taken since the last call, in milliseconds.
    std::vector<int> TakePauses()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(pauses_, {});
    }

private:
    std::mutex mutex_;
    std::uint32_t now_ = 1000;
    bool stopping_ = false;
    std::vector<int> pauses_;
};
