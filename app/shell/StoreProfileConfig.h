#pragma once
// The configuration values of the shown profile, read from and stored in the settings store.
// Thread contract: any thread; the store holds its own lock for each operation and the profile
// source must be safe to call from the threads that use this object.

#include "app/shell/ProfileConfig.h"
#include "store/DataStore.h"

#include <functional>

class StoreProfileConfig : public ProfileConfig {
public:
    // `currentProfile` gives the id of the profile whose settings the pages show.
    StoreProfileConfig(DataStore& store, std::function<int()> currentProfile);

    std::wstring GetConfigValue(std::wstring_view key) override;
    void SetConfigValue(std::wstring_view key, std::wstring_view value) override;

private:
    DataStore& store_;
    std::function<int()> currentProfile_;
};
