#pragma once
// An UpdateWindow that records what the update asks of the window, for tests. Posts may come from
// any thread; WaitForPost lets a test wait for one without sleeping.

#include "update/UpdateWindow.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

struct PostedMessage {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const PostedMessage&) const = default;
};

struct Question {
    std::wstring message;
    std::wstring title;
    int style;
    bool operator==(const Question&) const = default;
};

class RecordingWindow : public UpdateWindow {
public:
    explicit RecordingWindow(int answer = 1) : answer_(answer) {}

    void Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        std::lock_guard lock(mutex_);
        posts_.push_back({message, wParam, lParam});
        posted_.notify_all();
    }
    int AskUser(const std::wstring& message, const std::wstring& title, int style) override
    {
        questions.push_back({message, title, style});
        return answer_;
    }
    std::wstring LanguageText(int id) override { return L"<" + std::to_wstring(id) + L">"; }
    void QueueTask(int task) override { tasks.push_back(task); }
    void EndProgram() override { ended = true; }

    std::vector<PostedMessage> Posts() const
    {
        std::lock_guard lock(mutex_);
        return posts_;
    }

    // The lParam values of the progress posts, in order.
    std::vector<std::intptr_t> Progress() const
    {
        std::vector<std::intptr_t> values;
        for (const PostedMessage& post : Posts()) {
            if (post.message == kProgressMessage)
                values.push_back(post.lParam);
        }
        return values;
    }

    bool WaitForPost(const PostedMessage& wanted)
    {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, std::chrono::seconds(60), [&] {
            return std::find(posts_.begin(), posts_.end(), wanted) != posts_.end();
        });
    }

    std::vector<Question> questions;
    std::vector<int> tasks;
    bool ended = false;

private:
    int answer_;
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<PostedMessage> posts_;
};
