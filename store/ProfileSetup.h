#pragma once
// The rules that give a settings database its profiles: five default profiles on first run, one
// active profile at all times, how stored profile names are shown, and the seven lighting rows a
// profile receives the first time its lighting is shown.
//
// Texts come from the language files through `LanguageText`: 60 is the word for "profile", 280 to
// 282 name the first three lighting modes.
//
// Thread contract: as DataStore; each call is one or a few store operations.

#include "store/DataStore.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ProfileSetup {
public:
    using LanguageText = std::function<std::wstring(int textId)>;

    ProfileSetup(DataStore& store, LanguageText languageText);

    // Reads the profiles; when there are none, first adds five named "<text 60> 1" to "<text 60> 5"
    // and makes profile 1 active. Returns the number of profiles in `profiles`.
    int LoadProfiles(std::vector<ProfileRecord>& profiles);

    // The active profile, after making profile 1 active when none is.
    int ActiveProfile();

    // A stored name that starts with "Profile" or "配置方案" is shown as text 60, a blank and the rest
    // of the name, so default names follow the language chosen later; other names are shown as
    // stored.
    std::wstring DisplayName(std::wstring_view storedName) const;

    // Adds the seven default lighting rows, with mode 0 active, when the profile has none.
    void EnsureLights(int profile);

private:
    DataStore& store_;
    LanguageText languageText_;
};
