#pragma once
// Read-only view of the active profile's configuration keys as the store keeps them: decimal text per
// key ("dpi_index", "report_rate", ...). A key the profile lacks reads as empty text.
// Thread contract: an implementation must be callable from the thread that builds frames (the worker).

#include <string>
#include <string_view>

class ProfileSettingsSource {
public:
    virtual ~ProfileSettingsSource() = default;

    virtual std::wstring ConfigValue(std::wstring_view key) const = 0;
};
