#include "device/WorkerTaskQueue.h"

void WorkerTaskQueue::Push(int code)
{
    std::lock_guard lock(mutex_);
    codes_.push_back(code);
}

std::optional<int> WorkerTaskQueue::TryPop()
{
    std::lock_guard lock(mutex_);
    if (codes_.empty())
        return std::nullopt;
    const int code = codes_.front();
    codes_.pop_front();
    return code;
}
