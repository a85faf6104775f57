#include "app/shell/ZenityFileDialogs.h"

#include "app/shell/GlibHandles.h"
#include "common/TextConvert.h"

#include <sys/wait.h>

std::vector<std::string> ZenityFileDialogs::CommandLine(const FileDialogRequest& request) const
{
    std::vector<std::string> arguments = {program_, "--file-selection", "--title=" + ToUtf8(request.title)};
    using Kind = FileDialogRequest::Kind;
    if (request.kind == Kind::SaveFile)
        arguments.insert(arguments.end(), {"--save", "--confirm-overwrite"});
    if (request.kind == Kind::ChooseFolder)
        arguments.emplace_back("--directory");
    if (!request.folder.empty() || !request.suggestedName.empty()) {
        std::filesystem::path start = request.folder;
        // zenity takes a folder when the name ends in '/'.
        start /= ToUtf8(request.suggestedName);
        arguments.push_back("--filename=" + start.string());
    }
    if (request.parentWindow != 0)
        arguments.push_back("--attach=" + std::to_string(request.parentWindow));
    for (const FileFilter& filter : request.filters) {
        std::string text = "--file-filter=" + ToUtf8(filter.name) + " |";
        for (const std::wstring& pattern : filter.patterns)
            text += " " + ToUtf8(pattern);
        arguments.push_back(text);
    }
    return arguments;
}

FileDialogAnswer ZenityFileDialogs::Ask(const FileDialogRequest& request)
{
    const std::vector<std::string> arguments = CommandLine(request);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    gchar* output = nullptr;
    gint status = 0;
    if (!g_spawn_sync(nullptr, argv.data(), nullptr, static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL),
                      nullptr, nullptr, &output, nullptr, &status, nullptr))
        return {};
    const GCharPtr owned(output);
    if (!WIFEXITED(status))
        return {};
    // zenity ends with 1 when the user cancels, and with other codes on errors.
    if (WEXITSTATUS(status) == 1)
        return {FileDialogAnswer::Status::Cancelled, {}};
    std::string path = output ? output : "";
    while (!path.empty() && path.back() == '\n')
        path.pop_back();
    if (WEXITSTATUS(status) != 0 || path.empty())
        return {};
    return {FileDialogAnswer::Status::Chosen, path};
}
