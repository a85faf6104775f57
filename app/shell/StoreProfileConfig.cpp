#include "app/shell/StoreProfileConfig.h"

StoreProfileConfig::StoreProfileConfig(DataStore& store, std::function<int()> currentProfile)
    : store_(store), currentProfile_(std::move(currentProfile))
{
}

std::wstring StoreProfileConfig::GetConfigValue(std::wstring_view key)
{
    std::wstring value;
    store_.GetConfigValue(currentProfile_(), key, value);
    return value;
}

void StoreProfileConfig::SetConfigValue(std::wstring_view key, std::wstring_view value)
{
    store_.SetConfigValue(currentProfile_(), key, value);
}
