#include "vinto/platform/MessageQueue.h"

#include <algorithm>

namespace Vinto {

MessageQueue::MessageQueue(Waker& waker) : waker_(waker) {}

void MessageQueue::Post(const Message& message)
{
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(message);
    }
    waker_.Wake();
}

void MessageQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard lock(mutex_);
        quit_ = exitCode;
    }
    waker_.Wake();
}

intptr_t MessageQueue::Send(const Message& message)
{
    SentMessage sent{message};
    std::unique_lock lock(mutex_);
    if (closed_)
        return 0;
    sent_.push_back(&sent);
    waker_.Wake();
    sentDone_.wait(lock, [&] { return sent.done; });
    return sent.result;
}

std::optional<Message> MessageQueue::TakePosted()
{
    std::lock_guard lock(mutex_);
    if (posted_.empty())
        return std::nullopt;
    Message m = posted_.front();
    posted_.pop_front();
    return m;
}

std::optional<int> MessageQueue::TakeQuit()
{
    std::lock_guard lock(mutex_);
    std::optional<int> code = quit_;
    quit_.reset();
    return code;
}

MessageQueue::SentMessage* MessageQueue::TakeSent()
{
    std::lock_guard lock(mutex_);
    if (sent_.empty())
        return nullptr;
    SentMessage* sent = sent_.front();
    sent_.pop_front();
    return sent;
}

void MessageQueue::Complete(SentMessage* sent, intptr_t result)
{
    {
        std::lock_guard lock(mutex_);
        sent->result = result;
        sent->done = true;
    }
    sentDone_.notify_all();
}

void MessageQueue::ForgetWindow(WindowHandle window)
{
    {
        std::lock_guard lock(mutex_);
        std::erase_if(posted_, [window](const Message& m) { return m.window == window; });
        std::erase_if(sent_, [window](SentMessage* s) {
            if (s->message.window != window)
                return false;
            s->done = true;
            return true;
        });
    }
    sentDone_.notify_all();
}

void MessageQueue::Close()
{
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        for (SentMessage* s : sent_)
            s->done = true;
        sent_.clear();
    }
    sentDone_.notify_all();
}

} // namespace Vinto
