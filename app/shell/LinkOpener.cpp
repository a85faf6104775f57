#include "app/shell/LinkOpener.h"

#include "common/TextConvert.h"

#include <glib.h>

#include <algorithm>
#include <cctype>

bool LinkOpener::IsOpenableLink(std::string_view link)
{
    const std::size_t colon = link.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string scheme(link.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string_view rest = link.substr(colon + 1);
    if (scheme == "mailto")
        return !rest.empty();
    return (scheme == "http" || scheme == "https" || scheme == "file") && rest.starts_with("//") && rest.size() > 2;
}

bool LinkOpener::Open(std::wstring_view link) const
{
    const std::string text = ToUtf8(link);
    if (!IsOpenableLink(text) || text.find_first_of("\r\n") != std::string::npos)
        return false;
    // Without G_SPAWN_DO_NOT_REAP_CHILD GLib starts the program through a short-lived intermediate
    // process, so nothing here waits for it and no zombie is left behind.
    const char* argv[] = {program_.c_str(), text.c_str(), nullptr};
    return g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                         static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL |
                                                  G_SPAWN_STDERR_TO_DEV_NULL),
                         nullptr, nullptr, nullptr, nullptr);
}
