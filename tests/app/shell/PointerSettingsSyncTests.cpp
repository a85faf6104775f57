#include "app/shell/PointerSettingsSync.h"

#include "app/shell/MemoryPointerSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>

namespace {

using Setting = PointerSettingsView::Setting;
using Strings = std::vector<std::string>;
using Stores = std::vector<std::pair<std::wstring, std::wstring>>;

// A profile's values in a map, with the stores in the order they came.
class MapProfileConfig : public ProfileConfig {
public:
    std::map<std::wstring, std::wstring, std::less<>> values;
    Stores stores;

    std::wstring GetConfigValue(std::wstring_view key) override
    {
        const auto found = values.find(key);
        return found == values.end() ? L"" : found->second;
    }
    void SetConfigValue(std::wstring_view key, std::wstring_view value) override
    {
        values[std::wstring(key)] = value;
        stores.emplace_back(key, value);
    }
};

const PointerSettings::Values kDefaults{.speed = 10, .acceleration = true, .wheelLines = 3, .doubleClickMs = 550};

class PointerSettingsSyncTest : public ::testing::Test {
protected:
    MemoryPointerSettings desktop{kDefaults};
    MapProfileConfig profile;
    PointerSettingsSync sync{desktop, profile};
};

} // namespace

TEST(PointerSettingsSync, DoubleClickSliderTable)
{
    const int table[] = {900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200};
    for (int position = 0; position <= 10; ++position) {
        EXPECT_EQ(PointerSettingsSync::DoubleClickTimeAt(position), table[position]);
        EXPECT_EQ(PointerSettingsSync::PositionFromDoubleClickTime(table[position]), position);
    }
    for (const int ms : {500, 0, 901, 199, -70})
        EXPECT_EQ(PointerSettingsSync::PositionFromDoubleClickTime(ms), 0) << ms;
}

TEST_F(PointerSettingsSyncTest, SpeedSliderReleaseStoresAndTheWorkerApplies)
{
    sync.SetPendingMouseSetting(PointerSettingsSync::kPendingSpeed, 14);
    EXPECT_EQ(profile.stores, (Stores{{L"mouse_speed", L"15"}}));
    EXPECT_EQ(desktop.Writes(), Strings{});

    const PointerSettingsView view = sync.ApplyPendingMouseSetting();
    EXPECT_EQ(desktop.Desktop().speed, 15);
    EXPECT_TRUE(view.notApplied.empty());
}

TEST_F(PointerSettingsSyncTest, DoubleClickSliderReleaseAppliesTheTableTime)
{
    const struct {
        int position;
        int ms;
    } cases[] = {{4, 620}, {10, 200}, {0, 900}};
    for (const auto& c : cases) {
        sync.SetPendingMouseSetting(PointerSettingsSync::kPendingDoubleClick, c.position);
        const PointerSettingsView view = sync.ApplyPendingMouseSetting();
        EXPECT_EQ(desktop.Desktop().doubleClickMs, c.ms);
        EXPECT_EQ(profile.values[L"doubleclick_time"], std::to_wstring(c.ms));
        EXPECT_EQ(view.doubleClickText, std::to_wstring(c.ms));
    }
}

TEST_F(PointerSettingsSyncTest, WheelSliderAppliesWithoutStoring)
{
    sync.SetPendingMouseSetting(PointerSettingsSync::kPendingWheelLines, 7);
    sync.ApplyPendingMouseSetting();
    EXPECT_EQ(desktop.Desktop().wheelLines, 7);
    EXPECT_EQ(profile.stores, Stores{});
}

TEST_F(PointerSettingsSyncTest, OnlyTheLastReleaseIsAppliedAndItStays)
{
    EXPECT_TRUE(sync.ApplyPendingMouseSetting().notApplied.empty());
    EXPECT_EQ(desktop.Writes(), Strings{});

    sync.SetPendingMouseSetting(PointerSettingsSync::kPendingSpeed, 2);
    sync.SetPendingMouseSetting(PointerSettingsSync::kPendingDoubleClick, 5);
    sync.ApplyPendingMouseSetting();
    sync.ApplyPendingMouseSetting();
    EXPECT_EQ(desktop.Writes(), (Strings{"double-click", "double-click"}));
    EXPECT_EQ(desktop.Desktop().speed, 10);
}

TEST_F(PointerSettingsSyncTest, WheelModeSetsTheDesktopStoresBothKeysAndShowsTheBox)
{
    const PointerSettingsView screen = sync.SetWheelMode(true);
    EXPECT_EQ(desktop.Desktop().wheelLines, PointerSettings::kWheelPageScroll);
    EXPECT_EQ(profile.stores, (Stores{{L"wheel_scrollflag", L"0"}, {L"wheel_scrolllines", L"0"}}));
    EXPECT_EQ(screen.lineMode, false);
    EXPECT_EQ(screen.linesText, L"0");
    EXPECT_EQ(screen.linesEnabled, false);

    sync.ApplyWheelLines(L"8");
    profile.stores.clear();
    const PointerSettingsView lines = sync.SetWheelMode(false);
    EXPECT_EQ(desktop.Desktop().wheelLines, 3);
    EXPECT_EQ(profile.stores, (Stores{{L"wheel_scrollflag", L"1"}, {L"wheel_scrolllines", L"3"}}));
    EXPECT_EQ(lines.lineMode, true);
    EXPECT_EQ(lines.linesText, L"3");
    EXPECT_EQ(lines.linesEnabled, true);
}

TEST_F(PointerSettingsSyncTest, LinesBoxAndPrecisionBoxApplyAndStore)
{
    sync.ApplyWheelLines(L"12");
    EXPECT_EQ(desktop.Desktop().wheelLines, 12);
    const PointerSettingsView view = sync.SetPointerAcceleration(false);
    EXPECT_FALSE(desktop.Desktop().acceleration);
    EXPECT_EQ(view.accelerationChecked, false);
    EXPECT_EQ(profile.stores, (Stores{{L"wheel_scrolllines", L"12"}, {L"mouse_sensitivity", L"0"}}));
}

TEST_F(PointerSettingsSyncTest, RefreshAppliesAndShowsTheProfilesValues)
{
    profile.values = {{L"mouse_speed", L"15"},     {L"mouse_sensitivity", L"0"}, {L"wheel_scrollflag", L"1"},
                      {L"wheel_scrolllines", L"5"}, {L"doubleclick_time", L"500"}};
    const PointerSettingsView view = sync.RefreshWindowsMouseSettings();

    const PointerSettings::Values applied = desktop.Desktop();
    EXPECT_EQ(applied.speed, 15);
    EXPECT_FALSE(applied.acceleration);
    EXPECT_EQ(applied.wheelLines, 5);
    EXPECT_EQ(applied.doubleClickMs, 500);
    EXPECT_EQ(view.speedPosition, 14);
    EXPECT_EQ(view.speedText, L"15");
    EXPECT_EQ(view.accelerationChecked, false);
    EXPECT_EQ(view.lineMode, true);
    EXPECT_EQ(view.linesText, L"5");
    EXPECT_EQ(view.linesEnabled, true);
    EXPECT_EQ(view.doubleClickPosition, 0);
    EXPECT_EQ(view.doubleClickText, L"500");
    EXPECT_TRUE(view.notApplied.empty());
    EXPECT_EQ(profile.stores, Stores{});
}

TEST_F(PointerSettingsSyncTest, RefreshWheelFollowsTheFlagAndTheStoredCount)
{
    const struct {
        const wchar_t* flag;
        const wchar_t* lines;
        int applied;
        bool lineMode;
    } cases[] = {
        {L"1", L"7", 7, true},
        {L"0", L"3", 3, false}, // a new profile's defaults
        {L"0", L"0", PointerSettings::kWheelPageScroll, false},
        {L"", L"", PointerSettings::kWheelPageScroll, false},
    };
    for (const auto& c : cases) {
        desktop.SetWheelLines(1);
        profile.values = {{L"wheel_scrollflag", c.flag}, {L"wheel_scrolllines", c.lines}};
        const PointerSettingsView view = sync.RefreshWindowsMouseSettings();
        EXPECT_EQ(desktop.Desktop().wheelLines, c.applied) << c.flag << L"/" << c.lines;
        EXPECT_EQ(view.lineMode, c.lineMode);
        EXPECT_EQ(view.linesText, c.lines);
    }
}

TEST_F(PointerSettingsSyncTest, RefreshLeavesTheDesktopAloneForValuesOffTheScale)
{
    profile.values = {{L"mouse_speed", L"abc"}, {L"wheel_scrollflag", L"1"}, {L"wheel_scrolllines", L"0"},
                      {L"doubleclick_time", L""}};
    desktop.SetMouseSpeed(6);
    const PointerSettingsView view = sync.RefreshWindowsMouseSettings();

    const PointerSettings::Values applied = desktop.Desktop();
    EXPECT_EQ(applied.speed, 6);
    EXPECT_EQ(applied.wheelLines, 3);
    EXPECT_EQ(applied.doubleClickMs, 550);
    EXPECT_EQ(view.speedPosition, std::nullopt);
    EXPECT_EQ(view.speedText, L"0");
    EXPECT_EQ(view.doubleClickText, L"");
    EXPECT_EQ(view.notApplied, (std::vector<Setting>{Setting::Speed, Setting::WheelLines, Setting::DoubleClickTime}));
}

TEST_F(PointerSettingsSyncTest, RestoreChangesNothingWhenTheDesktopIsAtItsDefaults)
{
    const PointerSettingsView view = sync.RestoreWindowsMouseDefaults();
    EXPECT_EQ(desktop.Writes(), Strings{});
    EXPECT_EQ(profile.stores, Stores{});
    EXPECT_FALSE(view.speedText || view.accelerationChecked || view.lineMode || view.doubleClickText);
}

TEST_F(PointerSettingsSyncTest, RestoreSetsShowsAndStoresOnlyWhatDiffers)
{
    desktop.SetAcceleration(false);
    desktop.SetWheelLines(PointerSettings::kWheelPageScroll);
    profile.values[L"mouse_speed"] = L"10";
    const Strings before = desktop.Writes();

    const PointerSettingsView view = sync.RestoreWindowsMouseDefaults();
    Strings after = desktop.Writes();
    after.erase(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(before.size()));
    EXPECT_EQ(after, (Strings{"acceleration", "wheel"}));
    EXPECT_EQ(profile.stores, (Stores{{L"mouse_sensitivity", L"1"}, {L"wheel_scrollflag", L"1"}, {L"wheel_scrolllines", L"3"}}));
    EXPECT_EQ(view.speedText, std::nullopt);
    EXPECT_EQ(view.accelerationChecked, true);
    EXPECT_EQ(view.lineMode, true);
    EXPECT_EQ(view.linesText, L"3");
    EXPECT_EQ(view.doubleClickText, std::nullopt);
}

TEST(PointerSettingsSync, RestoreFromEveryValueOffItsDefault)
{
    MemoryPointerSettings desktop({.speed = 4, .acceleration = false, .wheelLines = 9, .doubleClickMs = 400});
    MapProfileConfig profile;
    const PointerSettingsView view = PointerSettingsSync(desktop, profile).RestoreWindowsMouseDefaults();
    const PointerSettings::Values restored = desktop.Desktop();
    EXPECT_EQ(restored.speed, 10);
    EXPECT_TRUE(restored.acceleration);
    EXPECT_EQ(restored.wheelLines, 3);
    EXPECT_EQ(restored.doubleClickMs, 550);
    EXPECT_EQ(profile.values, (std::map<std::wstring, std::wstring, std::less<>>{
                                  {L"mouse_speed", L"10"}, {L"mouse_sensitivity", L"1"}, {L"wheel_scrollflag", L"1"},
                                  {L"wheel_scrolllines", L"3"}, {L"doubleclick_time", L"550"}}));
    EXPECT_EQ(view.speedPosition, 9);
    EXPECT_EQ(view.doubleClickPosition, 5);
    EXPECT_EQ(view.doubleClickText, L"550");
}

TEST(PointerSettingsSync, SettingsTheDesktopLacksAreReportedNotApplied)
{
    PointerSettings desktop;
    MapProfileConfig profile;
    profile.values = {{L"mouse_speed", L"12"},     {L"mouse_sensitivity", L"1"}, {L"wheel_scrollflag", L"1"},
                      {L"wheel_scrolllines", L"3"}, {L"doubleclick_time", L"620"}};
    const PointerSettingsView view = PointerSettingsSync(desktop, profile).RefreshWindowsMouseSettings();
    EXPECT_EQ(view.notApplied, (std::vector<Setting>{Setting::Speed, Setting::Acceleration, Setting::WheelLines,
                                                     Setting::DoubleClickTime}));
    EXPECT_EQ(view.speedText, L"12");
    EXPECT_EQ(desktop.GetMouseSpeed(), 12);
}
