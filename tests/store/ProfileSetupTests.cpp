#include "store/ProfileSetup.h"

#include "store/StoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Stands in for the language files: text 60 is "Profil", any other id reads "T<id>".
std::wstring FakeText(int id)
{
    return id == 60 ? L"Profil" : L"T" + std::to_wstring(id);
}

class ProfileSetupTest : public StoreFixture {
protected:
    ProfileSetup setup_{store_, FakeText};
};

} // namespace

TEST_F(ProfileSetupTest, FirstRunAddsFiveProfilesWithProfileOneActive)
{
    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(setup_.LoadProfiles(profiles), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(profiles[i].profile, i + 1);
        EXPECT_EQ(profiles[i].name, L"Profil " + std::to_wstring(i + 1));
        EXPECT_EQ(profiles[i].status, i == 0 ? 1 : 0);
        EXPECT_EQ(profiles[i].app, L"");
        EXPECT_EQ(profiles[i].type, 0);
    }
    EXPECT_EQ(Query("SELECT profile, count(*) FROM t_configdata GROUP BY profile"),
              (SqlRows{{"1", "48"}, {"2", "48"}, {"3", "48"}, {"4", "48"}, {"5", "48"}}));
    EXPECT_EQ(setup_.ActiveProfile(), 1);

    // A second start finds the profiles and adds none.
    ASSERT_EQ(setup_.LoadProfiles(profiles), 5);
    EXPECT_EQ(Query("SELECT count(*) FROM t_profile_data"), (SqlRows{{"5"}}));
}

TEST_F(ProfileSetupTest, ActiveProfileIsRepairedWhenNoneIsActive)
{
    std::vector<ProfileRecord> profiles;
    setup_.LoadProfiles(profiles);
    store_.SetActiveProfile(3);
    EXPECT_EQ(setup_.ActiveProfile(), 3);
    store_.SetActiveProfile(42); // leaves none active
    EXPECT_EQ(setup_.ActiveProfile(), 1);
    EXPECT_EQ(store_.GetActiveProfile(), 1);
}

TEST_F(ProfileSetupTest, DefaultNamesFollowTheLanguage)
{
    struct Case {
        std::wstring stored;
        std::wstring shown;
    };
    const std::vector<Case> cases = {
        {L"Profile 1", L"Profil 1"},
        {L"配置方案 3", L"Profil 3"},
        {L"配置方案2", L"Profil 2"},
        {L"Profile", L"Profil "},
        {L"Gaming", L"Gaming"},
        {L"profile 1", L"profile 1"},
        {L"My Profile 1", L"My Profile 1"},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(setup_.DisplayName(c.stored), c.shown) << ToUtf8(c.stored);
}

TEST_F(ProfileSetupTest, LightingRowsAreAddedOnceWithModeZeroActive)
{
    setup_.EnsureLights(2);
    const SqlRows expected = {
        {"2", "T280", "0", "255", "127", "0", "1", "0", "255", "0", "280", "1"},
        {"2", "T281", "1", "255", "127", "0", "1", "0", "255", "19", "281", "0"},
        {"2", "T282", "2", "255", "127", "0", "1", "0", "255", "18", "282", "0"},
        {"2", "光谱循环", "3", "255", "127", "0", "1", "0", "255", "3", "283", "0"},
        {"2", "流光", "4", "255", "127", "0", "1", "0", "255", "3", "284", "0"},
        {"2", "单色跑马", "5", "255", "127", "0", "1", "0", "255", "19", "285", "0"},
        {"2", "霓虹", "6", "255", "127", "0", "1", "0", "255", "3", "286", "0"},
    };
    const std::string columns = "SELECT profile, name, mode, brightness, speed, direction, colorful, colorindex, "
                                "color_value, config_func, reserved, status FROM t_light_data ORDER BY light_id";
    EXPECT_EQ(Query(columns), expected);
    store_.SetActiveLight(2, 4);
    setup_.EnsureLights(2);
    EXPECT_EQ(store_.GetLightCount(2), 7);
    EXPECT_EQ(store_.GetActiveLightMode(2), 4);
}
