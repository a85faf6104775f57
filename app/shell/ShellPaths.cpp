#include "app/shell/ShellPaths.h"

#include "common/TextConvert.h"

#include <cstdlib>
#include <glib.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::wstring AsFolderText(const fs::path& folder)
{
    std::string text = folder.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return FromUtf8(text);
}

fs::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    return g_get_home_dir();
}

// An XDG base folder: the variable when it holds an absolute path, else the fallback below the home folder.
fs::path XdgFolder(const char* variable, const char* homeRelativeDefault)
{
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return value;
    return HomeFolder() / homeRelativeDefault;
}

} // namespace

fs::path GetExePath()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

std::wstring GetExeFolder()
{
    return AsFolderText(GetExePath().parent_path());
}

std::wstring GetProgramFolder()
{
    const fs::path exeFolder = fs::path(ToUtf8(GetExeFolder())).parent_path();
    return AsFolderText((exeFolder / ".." / "share" / "pelmaro").lexically_normal());
}

std::wstring GetUserDataFolder(std::wstring_view deviceName)
{
    return AsFolderText(XdgFolder("XDG_DATA_HOME", ".local/share") / (DeviceFileName(deviceName) + " Files"));
}

fs::path GetUserConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string DeviceFileName(std::wstring_view deviceName)
{
    std::string name = ToUtf8(deviceName);
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    if (name.find_first_not_of('.') == std::string::npos)
        name.insert(0, 1, '_');
    return name;
}

bool CreateFolderTree(std::wstring_view path)
{
    const fs::path folder(ToUtf8(path));
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

bool DeleteFolder(std::wstring_view path)
{
    const fs::path folder = fs::path(ToUtf8(path)).lexically_normal();
    std::error_code error;
    if (!folder.is_absolute() || folder == folder.root_path())
        return false;
    if (!fs::is_directory(fs::symlink_status(folder, error)))
        return false;
    fs::remove_all(folder, error);
    return !error;
}
