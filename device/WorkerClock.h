#pragma once
// Time as the device worker sees it: a millisecond tick and pauses that end early when the worker
// is told to stop, so no pause inside a task can hold up the program's exit.
// Thread contract: an implementation is read by the worker thread and stopped from any thread.

#include <chrono>
#include <cstdint>

class WorkerClock {
public:
    virtual ~WorkerClock() = default;

    // A 32-bit millisecond tick; it wraps around, so only differences are meaningful.
    virtual std::uint32_t NowMs() = 0;

    // Pauses for `duration`, or returns at once when stopping. False when stopping.
    virtual bool Pause(std::chrono::milliseconds duration) = 0;

    // Ends every pause under way and every later one at once, for good.
    virtual void Stop() = 0;
};
