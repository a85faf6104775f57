#include "device/StoreProfileSettings.h"

StoreProfileSettings::StoreProfileSettings(DataStore& store, int profile) : store_(store), profile_(profile) {}

std::wstring StoreProfileSettings::ConfigValue(std::wstring_view key) const
{
    std::wstring value;
    store_.GetConfigValue(profile_, key, value);
    return value;
}
