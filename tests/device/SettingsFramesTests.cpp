#include "device/SettingsFrames.h"

#include "FakeProfileSettings.h"
#include "FrameText.h"

#include <gtest/gtest.h>

namespace {

// The keys a new profile starts with that these frames read or must ignore.
FakeProfileSettings NewProfile()
{
    return {
        {L"sleep_light", L"2"},   {L"report_rate", L"0"},    {L"report_rate_wireless", L"1"},
        {L"button_respondtime", L"8"}, {L"sensor_flag", L"16"}, {L"liftoff_height", L"1"},
        {L"scroll_flag", L"1"},   {L"e-sports_flag", L"1"},  {L"dpi_index", L"2"},
        {L"dpi_count", L"6"},     {L"dpi_group0_value", L"800"}, {L"dpi_group1_value", L"1200"},
        {L"dpi_group2_value", L"2400"}, {L"dpi_group3_value", L"3600"}, {L"dpi_group4_value", L"4800"},
        {L"dpi_group5_value", L"12000"}, {L"dpi_group6_value", L"0"}, {L"dpi_group7_value", L"0"},
    };
}

} // namespace

TEST(DpiFrame, CarriesIndexAndSevenLevelsLittleEndian)
{
    struct Case {
        const char* name;
        FakeProfileSettings settings;
        const char* expected;
    };
    const Case cases[] = {
        {"seven valid levels",
         {{L"dpi_index", L"2"}, {L"dpi_group0_value", L"800"}, {L"dpi_group1_value", L"1200"},
          {L"dpi_group2_value", L"2400"}, {L"dpi_group3_value", L"3200"}, {L"dpi_group4_value", L"4800"},
          {L"dpi_group5_value", L"6400"}, {L"dpi_group6_value", L"26000"}},
         "0C 63 10 00 00 06 02 20 03 B0 04 60 09 80 0C C0 12 00 19 90 65"},
        {"new profile", NewProfile(), "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E"},
        {"bounds, low index byte, level count and eighth level ignored",
         {{L"dpi_index", L"258"}, {L"dpi_count", L"3"}, {L"dpi_group0_value", L"49"},
          {L"dpi_group1_value", L"50"}, {L"dpi_group2_value", L"26000"}, {L"dpi_group3_value", L"26001"},
          {L"dpi_group4_value", L"-800"}, {L"dpi_group5_value", L"abc"}, {L"dpi_group6_value", L" 1600x"},
          {L"dpi_group7_value", L"800"}},
         "0C 63 10 00 00 06 02 00 00 32 00 90 65 00 00 00 00 00 00 40 06"},
        {"no keys at all", {}, "0C 63 10 00 00 06"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameText(BuildDpiFrame(c.settings)), c.expected) << c.name;
}

TEST(PerformanceFrame, CarriesTheGroupInItsFixedPlaces)
{
    const FakeProfileSettings fresh = NewProfile();
    FakeProfileSettings fast = NewProfile();
    fast.Set(L"report_rate", L"4");
    fast.Set(L"report_rate_wireless", L"2");
    fast.Set(L"button_respondtime", L"20");
    fast.Set(L"sleep_light", L"120");
    fast.Set(L"e-sports_flag", L"2");
    fast.Set(L"liftoff_height", L"2");
    fast.Set(L"sensor_flag", L"15");
    fast.Set(L"scroll_flag", L"0");
    FakeProfileSettings wide = NewProfile();
    wide.Set(L"report_rate", L"3");
    wide.Set(L"button_respondtime", L"276");

    struct Case {
        const char* name;
        const FakeProfileSettings& settings;
        const char* expected;
    };
    const Case cases[] = {
        {"new profile sends the wireless rate", fresh, "0C 61 0B 00 00 01 01 01 0F 00 08 02 01 00 01"},
        {"wired rate wins, sensor and scroll flags ignored", fast, "0C 61 0B 00 00 04 04 04 0F 00 14 78 02 00 02"},
        {"byte fields take the low 8 bits", wide, "0C 61 0B 00 00 03 03 03 0F 00 14 02 01 00 01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameText(BuildPerformanceFrame(c.settings)), c.expected) << c.name;
}

TEST(PerformanceFrame, ReportRateIsAlwaysAValidCode)
{
    struct Case {
        int reportRate;
        int wireless;
        int expected;
    };
    const Case cases[] = {
        {4, 2, 4}, {1, 4, 1}, {0, 1, 1}, {0, 3, 3}, {5, 2, 2}, {-1, 4, 4}, {0, 0, 4}, {9, 5, 4}, {260, 258, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportRateToSend(c.reportRate, c.wireless), c.expected) << c.reportRate << " " << c.wireless;

    const FakeProfileSettings garbage = {{L"report_rate", L"fast"}, {L"report_rate_wireless", L"260"}};
    EXPECT_EQ(FrameText(BuildPerformanceFrame(garbage)), "0C 61 0B 00 00 04 04 04 0F");
}

TEST(LightAndResetFrames, MatchTheirFixedLayouts)
{
    EXPECT_EQ(FrameText(BuildLightFrame(3)), "0C 21 0B 00 00 03");
    EXPECT_EQ(FrameText(BuildLightFrame(0x106)), "0C 21 0B 00 00 06");
    EXPECT_EQ(FrameText(BuildLightFrame(0)), "0C 21 0B");
    EXPECT_EQ(FrameText(BuildFactoryResetFrame()), "0C 1F FF");
}
