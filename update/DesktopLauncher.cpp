#include "update/DesktopLauncher.h"

#include <glib.h>

#include <unistd.h>

#include <string>
#include <vector>

bool DesktopLauncher::Launch(const std::filesystem::path& installer)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(installer, error))
        return false;
    std::string file = installer.string();
    bool executable = access(file.c_str(), X_OK) == 0;
    std::vector<char*> argv;
    if (!executable)
        argv.push_back(const_cast<char*>("xdg-open"));
    argv.push_back(file.data());
    argv.push_back(nullptr);
    std::string folder = installer.parent_path().string();
    // Without G_SPAWN_DO_NOT_REAP_CHILD GLib starts the program through an intermediate child, so
    // it belongs to init and outlives this process.
    GSpawnFlags flags = executable ? G_SPAWN_DEFAULT : G_SPAWN_SEARCH_PATH;
    return g_spawn_async(folder.c_str(), argv.data(), nullptr, flags, nullptr, nullptr, nullptr, nullptr);
}
