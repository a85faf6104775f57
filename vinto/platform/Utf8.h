#pragma once
// Conversions between the toolkit's wide strings (UCS-4 on this platform) and the UTF-8 that pango,
// file names and X11 take. Invalid input gives an empty string.
// Thread contract: pure functions, callable from any thread.

#include <string>
#include <string_view>

namespace Vinto {

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

} // namespace Vinto
