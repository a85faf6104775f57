#pragma once
// Reading desktop settings the X settings manager publishes (the _XSETTINGS_SETTINGS property),
// such as the double-click time. The data comes from another program and is checked byte by byte.
// Thread contract: pure functions, callable from any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace Vinto {

// The integer setting `name` in the property's bytes; nothing when it is absent, not an integer,
// or the data is malformed.
std::optional<int32_t> FindXSettingsInteger(const uint8_t* data, size_t size, std::string_view name);

} // namespace Vinto
