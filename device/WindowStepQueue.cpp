#include "device/WindowStepQueue.h"

WindowStepQueue::WindowStepQueue(std::function<void()> wake)
    : wake_(std::move(wake)), windowThread_(std::this_thread::get_id())
{
}

WindowStepQueue::~WindowStepQueue()
{
    Close();
}

bool WindowStepQueue::Run(Step step)
{
    if (std::this_thread::get_id() == windowThread_) {
        RunPending(); // steps handed over earlier come first
        if (IsClosed())
            return false;
        step();
        return true;
    }
    Waiter waiter;
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        pending_.push_back({std::move(step), &waiter});
    }
    if (wake_)
        wake_();
    std::unique_lock lock(mutex_);
    stepDone_.wait(lock, [&] { return waiter.finished; });
    return waiter.ran;
}

void WindowStepQueue::RunPending()
{
    for (;;) {
        Entry entry;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty())
                return;
            entry = std::move(pending_.front());
            pending_.pop_front();
        }
        entry.step();
        {
            std::lock_guard lock(mutex_);
            entry.waiter->finished = true;
            entry.waiter->ran = true;
        }
        stepDone_.notify_all();
    }
}

void WindowStepQueue::Close()
{
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        for (Entry& entry : pending_)
            entry.waiter->finished = true;
        pending_.clear();
    }
    stepDone_.notify_all();
}

bool WindowStepQueue::IsClosed()
{
    std::lock_guard lock(mutex_);
    return closed_;
}
