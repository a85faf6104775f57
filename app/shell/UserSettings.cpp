#include "app/shell/UserSettings.h"

#include "app/shell/GlibHandles.h"
#include "app/shell/ShellPaths.h"
#include "common/TextConvert.h"

#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char kGroup[] = "Settings";

// Serialises the read-modify-write of every settings file in the process, so two writers never drop
// each other's values.
std::mutex& SettingsLock()
{
    static std::mutex lock;
    return lock;
}

enum class FileState { Loaded, Missing, Unreadable };

FileState Load(const fs::path& file, GKeyFilePtr& keys)
{
    keys.reset(g_key_file_new());
    GErrorSlot error;
    if (g_key_file_load_from_file(keys.get(), file.c_str(), G_KEY_FILE_KEEP_COMMENTS, &error))
        return FileState::Loaded;
    if (g_error_matches(error.get(), G_FILE_ERROR, G_FILE_ERROR_NOENT))
        return FileState::Missing;
    return FileState::Unreadable;
}

bool Save(const fs::path& file, GKeyFile* keys)
{
    gsize length = 0;
    GCharPtr data(g_key_file_to_data(keys, &length, nullptr));
    return g_file_set_contents_full(file.c_str(), data.get(), static_cast<gssize>(length),
                                    G_FILE_SET_CONTENTS_CONSISTENT, 0600, nullptr);
}

// The stored text of a value; empty when it is absent.
std::string ValueOf(GKeyFile* keys, std::string_view name)
{
    GCharPtr text(g_key_file_get_string(keys, kGroup, std::string(name).c_str(), nullptr));
    return text ? text.get() : "";
}

void WriteText(const fs::path& file, std::string_view name, std::string_view text)
{
    std::lock_guard guard(SettingsLock());
    GKeyFilePtr keys;
    if (Load(file, keys) != FileState::Loaded)
        return;
    g_key_file_set_string(keys.get(), kGroup, std::string(name).c_str(), std::string(text).c_str());
    Save(file, keys.get());
}

bool CreateEmpty(const fs::path& file)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    GKeyFilePtr keys(g_key_file_new());
    return Save(file, keys.get());
}

} // namespace

UserSettings::UserSettings(std::wstring_view deviceName)
    : file_(GetUserConfigFolder() / DeviceFileName(deviceName) / "settings.ini")
{
}

int UserSettings::GetLanguageId() const
{
    std::lock_guard guard(SettingsLock());
    GKeyFilePtr keys;
    switch (Load(file_, keys)) {
    case FileState::Loaded:
        return DecimalToInt(ValueOf(keys.get(), "LCID"));
    case FileState::Missing:
        return CreateEmpty(file_) ? 0 : kUnreadableLanguageId;
    case FileState::Unreadable:
        break;
    }
    return kUnreadableLanguageId;
}

void UserSettings::SetLanguageId(int lcid) const
{
    WriteText(file_, "LCID", std::to_string(lcid));
}

int UserSettings::GetRegistryInt(std::wstring_view name) const
{
    std::lock_guard guard(SettingsLock());
    GKeyFilePtr keys;
    if (Load(file_, keys) != FileState::Loaded)
        return 0;
    return DecimalToInt(ValueOf(keys.get(), ToUtf8(name)));
}

void UserSettings::SetRegistryString(std::wstring_view name, std::wstring_view text) const
{
    WriteText(file_, ToUtf8(name), ToUtf8(text));
}

int UserSettings::GetDeviceType() const
{
    return GetRegistryInt(L"DeviceType");
}

void UserSettings::SetDeviceType(int type) const
{
    WriteText(file_, "DeviceType", std::to_string(type));
}
