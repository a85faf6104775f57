#include "vinto/platform/Utf8.h"

#include <cstdint>
#include <glib.h>
#include <memory>

namespace Vinto {

static_assert(sizeof(wchar_t) == sizeof(gunichar), "wide strings are UCS-4 here");

namespace {
struct GFree {
    void operator()(void* p) const { g_free(p); }
};
} // namespace

std::string WideToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    // Surrogate halves and values past the last code point are not characters.
    for (wchar_t c : text)
        if ((c >= 0xD800 && c <= 0xDFFF) || static_cast<uint32_t>(c) > 0x10FFFF)
            return {};
    glong written = 0;
    std::unique_ptr<gchar, GFree> utf8(g_ucs4_to_utf8(reinterpret_cast<const gunichar*>(text.data()),
                                                      static_cast<glong>(text.size()), nullptr, &written, nullptr));
    return utf8 ? std::string(utf8.get(), static_cast<size_t>(written)) : std::string();
}

std::wstring Utf8ToWide(std::string_view text)
{
    if (text.empty())
        return {};
    glong written = 0;
    std::unique_ptr<gunichar, GFree> ucs4(
        g_utf8_to_ucs4(text.data(), static_cast<glong>(text.size()), nullptr, &written, nullptr));
    return ucs4 ? std::wstring(reinterpret_cast<const wchar_t*>(ucs4.get()), static_cast<size_t>(written))
                : std::wstring();
}

} // namespace Vinto
