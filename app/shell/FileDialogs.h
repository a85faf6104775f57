#pragma once
// The file dialogs the pages use: save a file, open a file, choose a folder. Each call shows one
// dialog and returns when the user has answered, so call it where blocking is fine (the pages run it
// from the UI thread, whose window is then covered by the modal dialog).
// Thread contract: one dialog at a time; implementations say which thread may call them.

#include <filesystem>
#include <string>
#include <vector>

struct FileFilter {
    std::wstring name;                  // "Profile files (*.xml)"
    std::vector<std::wstring> patterns; // "*.xml"
};

struct FileDialogRequest {
    enum class Kind { SaveFile, OpenFile, ChooseFolder };
    Kind kind = Kind::OpenFile;
    std::wstring title;
    std::wstring suggestedName;  // the file name a save dialog starts with
    std::filesystem::path folder; // the folder it starts in; empty for the dialog's own choice
    std::vector<FileFilter> filters;
    unsigned long parentWindow = 0; // the X11 window the dialog belongs to; 0 for none
};

struct FileDialogAnswer {
    enum class Status { Chosen, Cancelled, Unavailable };
    Status status = Status::Unavailable; // Unavailable: no dialog could be shown
    std::filesystem::path path;          // set when Chosen
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogAnswer Ask(const FileDialogRequest& request) = 0;
};
