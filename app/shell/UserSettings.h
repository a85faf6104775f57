#pragma once
// The per-user values of one device name (language id, last device model, start-minimised and close
// behaviour), kept as decimal texts in $XDG_CONFIG_HOME/<device name>/settings.ini. The file plays the
// part of a registry key: when it is missing, reads give 0 and writes are skipped; only GetLanguageId
// creates it, on the first start. Every write replaces the file atomically and keeps the other values.
// Thread contract: any thread; each operation is one read, or one read-modify-write, under a process-wide lock.

#include <filesystem>
#include <string>
#include <string_view>

class UserSettings {
public:
    // The language id reported when the settings file can be neither read nor created.
    static constexpr int kUnreadableLanguageId = 2052;

    // Locates the file from the device name and the current XDG_CONFIG_HOME.
    explicit UserSettings(std::wstring_view deviceName);

    const std::filesystem::path& FilePath() const { return file_; }

    // The stored LCID, 0 when absent or not numeric. A missing file is created (empty), which gives 0;
    // when it cannot be created, or exists but cannot be read, the result is kUnreadableLanguageId.
    int GetLanguageId() const;
    void SetLanguageId(int lcid) const;

    // The decimal value of a stored text; 0 when the file, the value or a number is missing.
    int GetRegistryInt(std::wstring_view name) const;
    void SetRegistryString(std::wstring_view name, std::wstring_view text) const;

    int GetDeviceType() const;
    void SetDeviceType(int type) const;

private:
    std::filesystem::path file_;
};
