#pragma once
// The configuration values of the profile the pages show, as the pointer-settings operations read
// and store them. The program fills it from the settings store; tests use a map.
// Thread contract: any thread; an implementation guards its own data.

#include <string>
#include <string_view>

class ProfileConfig {
public:
    virtual ~ProfileConfig() = default;
    // The stored text of a key; empty when it is missing.
    virtual std::wstring GetConfigValue(std::wstring_view key) = 0;
    virtual void SetConfigValue(std::wstring_view key, std::wstring_view value) = 0;
};
