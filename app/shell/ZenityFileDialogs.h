#pragma once
// File dialogs shown by zenity, for desktops without a file-chooser portal.
// Thread contract: any thread; each call runs zenity and waits for it.

#include "app/shell/FileDialogs.h"

#include <string>
#include <vector>

class ZenityFileDialogs : public FileDialogs {
public:
    explicit ZenityFileDialogs(std::string program = "zenity") : program_(std::move(program)) {}

    // Cancelled when zenity ends without a choice; Unavailable when it cannot be started or fails.
    FileDialogAnswer Ask(const FileDialogRequest& request) override;

    // The command line for a request, program first.
    std::vector<std::string> CommandLine(const FileDialogRequest& request) const;

private:
    std::string program_;
};
