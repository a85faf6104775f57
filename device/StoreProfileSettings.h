#pragma once
// One profile's configuration keys read from the settings store, as the frame builders read them.
// Thread contract: any thread; the store holds its own lock for each read.

#include "device/ProfileSettingsSource.h"
#include "store/DataStore.h"

class StoreProfileSettings final : public ProfileSettingsSource {
public:
    StoreProfileSettings(DataStore& store, int profile);

    std::wstring ConfigValue(std::wstring_view key) const override;

private:
    DataStore& store_;
    int profile_;
};
