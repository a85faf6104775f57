#pragma once
// A background thread that calls DoWork, pauses for its period, and repeats until stopped. Stopping
// wakes the pause at once, lets the cycle under way finish, runs Finish on the thread, and waits for
// the thread to end, so nothing the thread uses can go away under it.
// Thread contract: StartThread and StopThread from the owning thread; DoWork and Finish run on the
// background thread.

#include "device/WorkerClock.h"

#include <atomic>
#include <chrono>
#include <thread>

class CThreadBasic {
public:
    // `clock` paces the loop and must outlive the thread; StopThread stops it for good.
    explicit CThreadBasic(WorkerClock& clock);
    // A derived class must call StopThread in its own destructor, while DoWork can still be called.
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the loop when it is not running. A stopped thread is not started again.
    void StartThread(std::chrono::milliseconds period);
    void StopThread();
    bool IsRunning() const { return running_; }

protected:
    // One cycle of periodic work.
    virtual void DoWork() = 0;
    // Last words on the thread after the loop has ended.
    virtual void Finish() {}

    WorkerClock& Clock() { return clock_; }

private:
    void Body();

    WorkerClock& clock_;
    std::chrono::milliseconds period_{0};
    std::atomic<bool> running_{false};
    bool stopped_ = false;
    std::thread thread_;
};
