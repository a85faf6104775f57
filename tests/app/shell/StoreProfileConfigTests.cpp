#include "app/shell/StoreProfileConfig.h"

#include "app/shell/MemoryPointerSettings.h"
#include "app/shell/PointerSettingsSync.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class StoreProfileConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(temp / "db");
        ASSERT_TRUE(store.OpenDeviceDatabase(temp.Path(), L"M"));
        ProfileRecord profile;
        profile.name = L"One";
        first = store.AddProfile(profile);
        profile.name = L"Two";
        second = store.AddProfile(profile);
        ASSERT_NE(first, 0);
        ASSERT_NE(second, 0);
        shown = first;
    }

    std::wstring Stored(int profile, const wchar_t* key)
    {
        std::wstring value;
        store.GetConfigValue(profile, key, value);
        return value;
    }

    TempFolder temp;
    DataStore store;
    int first = 0;
    int second = 0;
    std::atomic<int> shown{0};
    StoreProfileConfig config{store, [this] { return shown.load(); }};
};

} // namespace

TEST_F(StoreProfileConfigTest, ReadsAndStoresTheShownProfile)
{
    config.SetConfigValue(L"mouse_speed", L"17");
    shown = second;
    EXPECT_EQ(config.GetConfigValue(L"mouse_speed"), L"10");
    config.SetConfigValue(L"mouse_speed", L"3");
    EXPECT_EQ(Stored(first, L"mouse_speed"), L"17");
    EXPECT_EQ(Stored(second, L"mouse_speed"), L"3");
    EXPECT_EQ(config.GetConfigValue(L"no_such_key"), L"");
}

TEST_F(StoreProfileConfigTest, NewProfileDefaultsKeepTheDesktopAtItsDefaults)
{
    MemoryPointerSettings desktop({.speed = 4, .acceleration = false, .wheelLines = 9, .doubleClickMs = 400});
    const PointerSettingsView view = PointerSettingsSync(desktop, config).RefreshWindowsMouseSettings();
    const PointerSettings::Values applied = desktop.Desktop();
    EXPECT_EQ(applied.speed, 10);
    EXPECT_TRUE(applied.acceleration);
    EXPECT_EQ(applied.wheelLines, 3);
    EXPECT_EQ(applied.doubleClickMs, 550);
    EXPECT_EQ(view.lineMode, false);
    EXPECT_EQ(view.linesText, L"3");
    EXPECT_EQ(view.doubleClickPosition, 5);
}

TEST_F(StoreProfileConfigTest, RestoreStoresIntoTheShownProfileOnly)
{
    MemoryPointerSettings desktop({.speed = 4, .acceleration = true, .wheelLines = 3, .doubleClickMs = 550});
    config.SetConfigValue(L"mouse_speed", L"4");
    shown = second;
    config.SetConfigValue(L"mouse_speed", L"6");
    PointerSettingsSync(desktop, config).RestoreWindowsMouseDefaults();
    EXPECT_EQ(Stored(second, L"mouse_speed"), L"10");
    EXPECT_EQ(Stored(first, L"mouse_speed"), L"4");
}
