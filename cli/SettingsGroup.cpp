#include "cli/SettingsGroup.h"

#include <array>
#include <utility>

std::optional<SettingsGroup> GroupOfKey(std::wstring_view key)
{
    static constexpr std::array<std::wstring_view, 7> kPerformanceKeys = {
        L"report_rate", L"report_rate_wireless", L"button_respondtime", L"sleep_light",
        L"e-sports_flag", L"liftoff_height", L"sensor_flag"};
    for (std::wstring_view performanceKey : kPerformanceKeys) {
        if (key == performanceKey) {
            return SettingsGroup::Performance;
        }
    }
    const bool dpiLevel = key.starts_with(L"dpi_group") && key.ends_with(L"_value");
    if (key == L"dpi_index" || key == L"dpi_count" || dpiLevel) {
        return SettingsGroup::Dpi;
    }
    return std::nullopt;
}

std::vector<SettingsGroup> ProfileGroups()
{
    return {SettingsGroup::Dpi, SettingsGroup::Performance, SettingsGroup::Light, SettingsGroup::Buttons,
            SettingsGroup::Macros};
}

std::vector<SettingsGroup> GroupsNamed(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, SettingsGroup>, 6> kNames = {{
        {"dpi", SettingsGroup::Dpi},
        {"performance", SettingsGroup::Performance},
        {"light", SettingsGroup::Light},
        {"buttons", SettingsGroup::Buttons},
        {"macros", SettingsGroup::Macros},
        {"reset", SettingsGroup::FactoryReset},
    }};
    if (name == "all") {
        return ProfileGroups();
    }
    for (const auto& [groupName, group] : kNames) {
        if (name == groupName) {
            return {group};
        }
    }
    return {};
}
