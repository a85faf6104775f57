#include "exchange/XmlEncoding.h"

#include <glib.h>

#include <array>
#include <memory>

namespace {

struct GFreeDeleter {
    void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

std::optional<std::string> Convert(std::string_view text, const char* to, const char* from)
{
    gsize written = 0;
    GText converted(g_convert(text.data(), static_cast<gssize>(text.size()), to, from, nullptr, &written, nullptr));
    if (!converted)
        return std::nullopt;
    return std::string(converted.get(), written);
}

std::string UpperAscii(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper)
        c = g_ascii_toupper(c);
    return upper;
}

bool IsUtf8Name(std::string_view name)
{
    const std::string upper = UpperAscii(name);
    return upper == "UTF-8" || upper == "UTF8";
}

bool IsValidUtf8(std::string_view text)
{
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

// iconv's plain "UTF-16" and "UTF-32" write a byte-order mark; files are written without one, in
// little-endian order, which is also what the reader assumes for a mark-less UTF-16 file.
std::string WithoutMark(std::string_view name)
{
    const std::string upper = UpperAscii(name);
    if (upper == "UTF-16" || upper == "UTF16" || upper == "UCS-2")
        return "UTF-16LE";
    if (upper == "UTF-32" || upper == "UTF32" || upper == "UCS-4")
        return "UTF-32LE";
    return std::string(name);
}

std::optional<std::string> DecodeFrom(std::string_view bytes, std::string_view encoding)
{
    if (IsUtf8Name(encoding))
        return IsValidUtf8(bytes) ? std::optional<std::string>(bytes) : std::nullopt;
    return Convert(bytes, "UTF-8", WithoutMark(encoding).c_str());
}

// Undeclared text that is not UTF-8 comes from a legacy code page; ISO-8859-1 last, as it maps
// every byte.
std::optional<std::string> DecodeLegacy(std::string_view bytes)
{
    const char* localeCharset = nullptr;
    const bool localeIsUtf8 = g_get_charset(&localeCharset);
    const std::array<const char*, 3> candidates = {localeIsUtf8 ? "WINDOWS-1252" : localeCharset, "WINDOWS-1252",
                                                   "ISO-8859-1"};
    for (const char* candidate : candidates) {
        if (auto text = Convert(bytes, "UTF-8", candidate))
            return text;
    }
    return std::nullopt;
}

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

std::optional<std::string> XmlEncoding::DecodeFile(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (StartsWith(bytes, "\xEF\xBB\xBF"sv))
        return DecodeFrom(bytes.substr(3), "UTF-8");
    if (StartsWith(bytes, "\xFF\xFE"sv))
        return DecodeFrom(bytes.substr(2), "UTF-16LE");
    if (StartsWith(bytes, "\xFE\xFF"sv))
        return DecodeFrom(bytes.substr(2), "UTF-16BE");
    // Without a mark, UTF-16 still shows itself by the zero byte beside the opening '<'.
    if (StartsWith(bytes, "<\0"sv))
        return DecodeFrom(bytes, "UTF-16LE");
    if (StartsWith(bytes, "\0<"sv))
        return DecodeFrom(bytes, "UTF-16BE");
    const std::string declared = DeclaredEncoding(bytes);
    if (!declared.empty())
        return DecodeFrom(bytes, declared);
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return DecodeLegacy(bytes);
}

std::optional<std::string> XmlEncoding::EncodeFile(std::string_view utf8, std::string_view encoding)
{
    if (encoding.empty() || IsUtf8Name(encoding))
        return std::string(utf8);
    return Convert(utf8, WithoutMark(encoding).c_str(), "UTF-8");
}

std::string XmlEncoding::DeclaredEncoding(std::string_view text)
{
    const size_t end = text.find("?>");
    if (!StartsWith(text, "<?xml") || end == std::string_view::npos)
        return {};
    const std::string_view declaration = text.substr(0, end);
    const size_t name = declaration.find("encoding");
    if (name == std::string_view::npos)
        return {};
    size_t pos = name + 8;
    auto skipBlanks = [&] {
        while (pos < declaration.size() && g_ascii_isspace(declaration[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos >= declaration.size() || declaration[pos] != '=')
        return {};
    ++pos;
    skipBlanks();
    if (pos >= declaration.size() || (declaration[pos] != '"' && declaration[pos] != '\''))
        return {};
    const char quote = declaration[pos++];
    const size_t close = declaration.find(quote, pos);
    if (close == std::string_view::npos)
        return {};
    return std::string(declaration.substr(pos, close - pos));
}
