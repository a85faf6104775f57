#include "store/ConfigDefaults.h"

#include <array>

namespace {

constexpr std::array<ConfigDefaults::Entry, 48> kKeys = {{
    {L"version", L"1.0.1"},
    {L"lightmode", L"0"},
    {L"sleep_light", L"2"},
    {L"move_closelight", L"1"},
    {L"report_rate", L"0"},
    {L"report_rate_wireless", L"1"},
    {L"button_respondtime", L"8"},
    {L"sensor_flag", L"16"},
    {L"liftoff_height", L"1"},
    {L"scroll_flag", L"1"},
    {L"e-sports_flag", L"1"},
    {L"leftbtn_lock", L"1"},
    {L"dpi_flag", L"6"},
    {L"dpi_index", L"2"},
    {L"dpi_count", L"6"},
    {L"dpi_group0_value", L"800"},
    {L"dpi_group1_value", L"1200"},
    {L"dpi_group2_value", L"2400"},
    {L"dpi_group3_value", L"3600"},
    {L"dpi_group4_value", L"4800"},
    {L"dpi_group5_value", L"12000"},
    {L"dpi_group6_value", L"0"},
    {L"dpi_group7_value", L"0"},
    {L"dpi_group8_value", L"0"},
    {L"dpi_group9_value", L"0"},
    {L"dpi_group0_rgb", L"255"},
    {L"dpi_group1_rgb", L"65280"},
    {L"dpi_group2_rgb", L"16711680"},
    {L"dpi_group3_rgb", L"42495"},
    {L"dpi_group4_rgb", L"16711935"},
    {L"dpi_group5_rgb", L"16776960"},
    {L"dpi_group6_rgb", L"2139135"},
    {L"dpi_group7_rgb", L"2139135"},
    {L"dpi_group8_rgb", L"2139135"},
    {L"dpi_group9_rgb", L"2139135"},
    {L"mouse_speed", L"10"},
    {L"mouse_sensitivity", L"1"},
    {L"wheel_scrollflag", L"0"},
    {L"wheel_scrolllines", L"3"},
    {L"doubleclick_time", L"550"},
    {L"default_color1", L"8331093"},
    {L"default_color2", L"4114939"},
    {L"default_color3", L"65280"},
    {L"default_color4", L"16776960"},
    {L"default_color5", L"255"},
    {L"default_color6", L"14237951"},
    {L"default_color7", L"14237951"},
    {L"default_color8", L"16777215"},
}};

} // namespace

std::span<const ConfigDefaults::Entry> ConfigDefaults::Keys()
{
    return kKeys;
}
