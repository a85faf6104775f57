#include "CommandLine.h"

#include <charconv>

std::optional<int64_t> ParseNumber(const std::string& text, int64_t min, int64_t max)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    bool negative = false;
    if (first != last && *first == '-') {
        negative = true;
        ++first;
    }
    int base = 10;
    if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        base = 16;
        first += 2;
    }
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(first, last, magnitude, base);
    if (first == last || error != std::errc() || end != last || magnitude > (uint64_t{1} << 32))
        return std::nullopt;
    const int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<SendRequest> ParseCommandLine(const std::vector<std::string>& args)
{
    SendRequest request;
    size_t i = 0;
    if (i + 1 < args.size() && args[i] == "--display") {
        request.display = args[i + 1];
        i += 2;
    }
    if (i >= args.size() || args[i].empty())
        return std::nullopt;
    request.name = args[i++];
    if (i < args.size() && args[i] == "--raise") {
        request.raise = true;
        return i + 1 == args.size() ? std::optional(request) : std::nullopt;
    }
    if (i >= args.size() || args.size() - i > 3)
        return std::nullopt;
    const auto message = ParseNumber(args[i++], 0, UINT32_MAX);
    const auto wParam = i < args.size() ? ParseNumber(args[i++], 0, UINT32_MAX) : std::optional<int64_t>(0);
    const auto lParam = i < args.size() ? ParseNumber(args[i++], INT32_MIN, UINT32_MAX) : std::optional<int64_t>(0);
    if (!message || !wParam || !lParam)
        return std::nullopt;
    request.message = static_cast<uint32_t>(*message);
    request.wParam = static_cast<uint32_t>(*wParam);
    request.lParam = static_cast<int32_t>(static_cast<uint32_t>(*lParam));
    return request;
}
