#pragma once
// The device worker's first-in first-out list of task codes. The lock is held only to add or take one
// code, never while a task runs.
// Thread contract: every operation may be called from any thread.

#include <deque>
#include <mutex>
#include <optional>

class WorkerTaskQueue {
public:
    void Push(int code);
    // The oldest code, removed; nothing when the queue is empty.
    std::optional<int> TryPop();

private:
    std::mutex mutex_;
    std::deque<int> codes_;
};
