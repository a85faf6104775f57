#pragma once
// File dialogs that answer from a script instead of asking anyone: the stand-in for tests of the pages.
// It records every request and gives the queued answers in order, Unavailable once they run out.
// Thread contract: one thread at a time.

#include "app/shell/FileDialogs.h"

#include <deque>
#include <vector>

class ScriptedFileDialogs : public FileDialogs {
public:
    void QueueAnswer(FileDialogAnswer answer) { answers_.push_back(std::move(answer)); }
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }

    FileDialogAnswer Ask(const FileDialogRequest& request) override
    {
        requests_.push_back(request);
        if (answers_.empty())
            return {};
        FileDialogAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

private:
    std::deque<FileDialogAnswer> answers_;
    std::vector<FileDialogRequest> requests_;
};
