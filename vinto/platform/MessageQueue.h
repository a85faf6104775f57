#pragma once
// The UI thread's queues: messages posted in order, messages sent from other threads that wait for
// their result, and the quit request.
// Thread contract: Post, PostQuit and Send from any thread; the Take and Complete calls on the UI
// thread only.

#include "vinto/platform/Message.h"
#include "vinto/platform/Waker.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace Vinto {

class MessageQueue {
public:
    // A message sent from another thread, waiting for the UI thread to handle it.
    struct SentMessage {
        Message message;
        intptr_t result = 0;
        bool done = false;
    };

    explicit MessageQueue(Waker& waker);

    void Post(const Message& message);
    void PostQuit(int exitCode);
    // Blocks until the UI thread has handled the message, or until it is cancelled (result 0).
    intptr_t Send(const Message& message);

    std::optional<Message> TakePosted();
    std::optional<int> TakeQuit();
    SentMessage* TakeSent();
    void Complete(SentMessage* sent, intptr_t result);

    // Drops posted messages for a window that is gone and releases its waiting senders.
    void ForgetWindow(WindowHandle window);
    // Releases every waiting sender and refuses further sends (the layer is shutting down).
    void Close();

private:
    Waker& waker_;
    std::mutex mutex_;
    std::condition_variable sentDone_;
    std::deque<Message> posted_;
    std::deque<SentMessage*> sent_;
    std::optional<int> quit_;
    bool closed_ = false;
};

} // namespace Vinto
