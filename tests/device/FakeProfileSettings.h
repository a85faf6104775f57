#pragma once
// The active profile's keys held in a map, as a test stands in for the store.

#include "device/ProfileSettingsSource.h"

#include <map>

class FakeProfileSettings : public ProfileSettingsSource {
public:
    FakeProfileSettings() = default;
    FakeProfileSettings(std::initializer_list<std::pair<const std::wstring, std::wstring>> values)
        : values_(values)
    {
    }

    void Set(const std::wstring& key, const std::wstring& value) { values_[key] = value; }

    std::wstring ConfigValue(std::wstring_view key) const override
    {
        const auto found = values_.find(std::wstring(key));
        return found == values_.end() ? std::wstring() : found->second;
    }

private:
    std::map<std::wstring, std::wstring> values_;
};
