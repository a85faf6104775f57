#include "update/CleanEntryName.h"

#include <array>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool HasDrivePrefix(std::string_view name)
{
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

// Drops one leading piece of the Windows-style prefixes; false when nothing was dropped.
bool DropOnePrefix(std::string_view& name)
{
    if (HasDrivePrefix(name)) {
        name.remove_prefix(2);
        return true;
    }
    if (!name.empty() && IsSeparator(name.front())) {
        name.remove_prefix(1);
        return true;
    }
    static constexpr std::array<std::string_view, 4> hops = {"\\..\\", "\\../", "/../", "/..\\"};
    size_t first = std::string_view::npos;
    for (std::string_view hop : hops)
        first = std::min(first, name.find(hop));
    if (first == std::string_view::npos)
        return false;
    name.remove_prefix(first + 4);
    return true;
}

} // namespace

std::optional<std::filesystem::path> CleanEntryName(std::string_view storedName)
{
    if (storedName.empty() || IsSeparator(storedName.front()))
        return std::nullopt;
    std::string_view name = storedName;
    while (DropOnePrefix(name)) {
    }

    std::filesystem::path result;
    while (!name.empty()) {
        size_t end = 0;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        std::string_view component = name.substr(0, end);
        name.remove_prefix(end < name.size() ? end + 1 : end);
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return std::nullopt;
        result /= std::string(component);
    }
    if (result.empty())
        return std::nullopt;
    return result;
}
