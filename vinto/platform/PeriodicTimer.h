#pragma once
// A timer that calls its tick on a thread of its own every `period` milliseconds, for animations and
// pointer tracking that must not wait for the UI thread. A tick that would start late starts at once
// and the next keeps the original beat; ticks never overlap.
// Thread contract: Start and Stop from any one thread (not from inside the tick); the tick runs on
// the timer's thread.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace Vinto {

class PeriodicTimer {
public:
    explicit PeriodicTimer(std::function<void()> tick);
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Starts ticking, or changes the period of a running timer; a period of 0 is taken as 1 ms.
    void Start(uint32_t periodMs);
    // Stops and waits until a running tick has returned.
    void Stop();
    bool IsRunning() const;

private:
    void Run();

    std::function<void()> tick_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint32_t period_ = 0;
    bool running_ = false;
    std::thread thread_;
};

} // namespace Vinto
