#pragma once
// Starting the program at log-in: an XDG autostart entry $XDG_CONFIG_HOME/autostart/<device name>.desktop
// that runs the program with "-autorun" in the user data folder. The entry's presence is the setting.
// Thread contract: one thread at a time (the UI thread).

#include "app/shell/UserSettings.h"

#include <filesystem>
#include <string>
#include <string_view>

class AutorunEntry {
public:
    // `program` is the executable the entry starts (GetExePath() for the running program).
    AutorunEntry(std::wstring_view deviceName, std::filesystem::path program);

    const std::filesystem::path& FilePath() const { return file_; }

    // True when an entry of the device name exists, whatever it holds.
    bool IsAutorunRegistered() const;

    // On: writes the entry (atomically, replacing an older one). Off: removes it, and stores
    // autorun_minimize "0" since start-minimised means nothing without autorun. Failures are silent.
    void SetAutorun(bool on, const UserSettings& settings) const;

    // One Exec argument quoted by the desktop-entry rules: in double quotes, with '"', '`', '$' and '\'
    // escaped by a backslash and '%' doubled (before the key file's own escaping of the value).
    static std::string QuoteExecArgument(std::string_view argument);

private:
    std::string deviceName_;
    std::filesystem::path program_;
    std::filesystem::path file_;
    std::wstring dataFolder_;
};
