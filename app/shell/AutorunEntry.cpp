#include "app/shell/AutorunEntry.h"

#include "app/shell/GlibHandles.h"
#include "app/shell/ShellPaths.h"
#include "common/TextConvert.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char kGroup[] = "Desktop Entry";

} // namespace

AutorunEntry::AutorunEntry(std::wstring_view deviceName, fs::path program)
    : deviceName_(ToUtf8(deviceName)),
      program_(std::move(program)),
      file_(GetUserConfigFolder() / "autostart" / (DeviceFileName(deviceName) + ".desktop")),
      dataFolder_(GetUserDataFolder(deviceName))
{
}

bool AutorunEntry::IsAutorunRegistered() const
{
    std::error_code error;
    return fs::exists(fs::symlink_status(file_, error));
}

void AutorunEntry::SetAutorun(bool on, const UserSettings& settings) const
{
    std::error_code error;
    if (!on) {
        settings.SetRegistryString(L"autorun_minimize", L"0");
        fs::remove(file_, error);
        return;
    }
    fs::create_directories(file_.parent_path(), error);
    GKeyFilePtr entry(g_key_file_new());
    g_key_file_set_string(entry.get(), kGroup, "Type", "Application");
    g_key_file_set_string(entry.get(), kGroup, "Name", deviceName_.c_str());
    g_key_file_set_string(entry.get(), kGroup, "Exec", (QuoteExecArgument(program_.string()) + " -autorun").c_str());
    g_key_file_set_string(entry.get(), kGroup, "Path", ToUtf8(dataFolder_).c_str());
    g_key_file_set_boolean(entry.get(), kGroup, "Terminal", FALSE);
    gsize length = 0;
    GCharPtr data(g_key_file_to_data(entry.get(), &length, nullptr));
    g_file_set_contents_full(file_.c_str(), data.get(), static_cast<gssize>(length), G_FILE_SET_CONTENTS_CONSISTENT,
                             0644, nullptr);
}

std::string AutorunEntry::QuoteExecArgument(std::string_view argument)
{
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    quoted += '"';
    return quoted;
}
