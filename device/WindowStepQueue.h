#pragma once
// Hands steps from the device worker to the window thread and waits until each has run, so steps
// run on the window thread one at a time and in the order they were handed over. The window thread
// runs them when woken; it closes the queue before it stops the worker, which releases a worker
// waiting on a step and refuses every later step, so no step runs on a window that is going away.
// Thread contract: Run from any thread; RunPending and Close on the window thread, the thread that
// made the queue (Run called there runs the step at once, as nothing else would).

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class WindowStepQueue {
public:
    using Step = std::function<void()>;

    // `wake` is called on the handing thread after a step was queued; it makes the window thread
    // call RunPending soon (for example by posting a private message to the main window).
    explicit WindowStepQueue(std::function<void()> wake);
    ~WindowStepQueue();
    WindowStepQueue(const WindowStepQueue&) = delete;
    WindowStepQueue& operator=(const WindowStepQueue&) = delete;

    // Runs `step` on the window thread and returns once it has run: true, or false when the queue
    // is closed (the step never runs).
    bool Run(Step step);

    // Runs every queued step, oldest first.
    void RunPending();
    void Close();

private:
    // Lives in the frame of the Run that waits for it.
    struct Waiter {
        bool finished = false;
        bool ran = false;
    };
    struct Entry {
        Step step;
        Waiter* waiter = nullptr;
    };

    bool IsClosed();

    std::function<void()> wake_;
    const std::thread::id windowThread_;
    std::mutex mutex_;
    std::condition_variable stepDone_;
    std::deque<Entry> pending_;
    bool closed_ = false;
};
