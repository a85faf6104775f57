#include "vinto/platform/PeriodicTimer.h"

#include <algorithm>
#include <chrono>

namespace Vinto {

PeriodicTimer::PeriodicTimer(std::function<void()> tick) : tick_(std::move(tick)) {}

PeriodicTimer::~PeriodicTimer() { Stop(); }

void PeriodicTimer::Start(uint32_t periodMs)
{
    std::lock_guard lock(mutex_);
    period_ = std::max<uint32_t>(periodMs, 1);
    if (!running_) {
        running_ = true;
        thread_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
}

void PeriodicTimer::Stop()
{
    std::thread finished;
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        finished = std::move(thread_);
    }
    changed_.notify_all();
    if (finished.joinable())
        finished.join();
}

bool PeriodicTimer::IsRunning() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

void PeriodicTimer::Run()
{
    using Clock = std::chrono::steady_clock;
    std::unique_lock lock(mutex_);
    auto next = Clock::now() + std::chrono::milliseconds(period_);
    while (running_) {
        if (changed_.wait_until(lock, next, [this] { return !running_; }))
            break;
        lock.unlock();
        tick_();
        lock.lock();
        next += std::chrono::milliseconds(period_);
        // After a long stall the beat restarts from now instead of firing a burst of late ticks.
        if (next < Clock::now())
            next = Clock::now();
    }
}

} // namespace Vinto
