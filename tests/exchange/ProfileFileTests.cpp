#include "exchange/ProfileFile.h"

#include "common/TextConvert.h"
#include "store/StoreFixture.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

KeyMacroRecord Button(int profile, int keyCode, int value, std::wstring desc)
{
    KeyMacroRecord button;
    button.profile = profile;
    button.key_code = keyCode;
    button.layout_value = 77;
    button.macro_type = 2;
    button.macro_value = value;
    button.macro_value2 = value + 1;
    button.macro_value3 = value + 2;
    button.macro_desc = std::move(desc);
    return button;
}

LightRecord Light(int profile, int mode)
{
    LightRecord light;
    light.profile = profile;
    light.name = L"light";
    light.mode = mode;
    light.brightness = 255;
    light.speed = 127;
    light.colorful = 1;
    light.color_value = 255;
    light.config_func = 19;
    light.reserved = 280 + mode;
    return light;
}

class ProfileFileTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        for (int profile = 1; profile <= 2; ++profile) {
            ASSERT_EQ(store_.AddProfile(ProfileRecord{}), profile);
            for (int mode = 0; mode < 3; ++mode)
                ASSERT_GT(store_.AddLight(Light(profile, mode)), 0);
            store_.SetActiveLight(profile, 0);
        }
    }

    std::filesystem::path Write(std::string_view xml) const { return folder_.Write("in.xml", xml); }

    std::wstring Config(int profile, const wchar_t* key)
    {
        std::wstring value;
        store_.GetConfigValue(profile, key, value);
        return value;
    }

    // What the file carries of a profile, for comparing two profiles.
    SqlRows Carried(int profile) const
    {
        const std::string p = std::to_string(profile);
        SqlRows rows = Query("SELECT key, value FROM t_configdata WHERE profile = " + p + " ORDER BY config_id");
        for (auto& row : Query("SELECT key_code, macro_type, macro_value, macro_value2, macro_value3, macro_desc "
                               "FROM t_key_macro_data WHERE profile = " + p + " ORDER BY key_code"))
            rows.push_back(row);
        for (auto& row : Query("SELECT mode, brightness, speed, direction, colorful, colorindex, color_value, "
                               "config_func, reserved, status FROM t_light_data WHERE profile = " + p + " ORDER BY mode"))
            rows.push_back(row);
        return rows;
    }

    SqlRows Everything() const
    {
        SqlRows rows = Query("SELECT * FROM t_configdata");
        for (const char* table : {"t_key_macro_data", "t_light_data", "t_profile_data"})
            for (auto& row : Query(std::string("SELECT * FROM ") + table))
                rows.push_back(row);
        return rows;
    }

    ProfileFile withLights_{store_, true};
    ProfileFile withoutLights_{store_, false};
};

} // namespace

TEST_F(ProfileFileTest, ExportWritesTheProfileByteForByte)
{
    ASSERT_GT(store_.SetKeyMacro(Button(1, 4, 10, L"Left & \"Right\"")), 0);
    ASSERT_GT(store_.SetKeyMacro(Button(1, 1, 20, L"")), 0);
    ASSERT_TRUE(store_.SetActiveLight(1, 1));
    LightRecord changed = Light(1, 1);
    changed.brightness = 64;
    changed.color_value = 0x00FF00;
    ASSERT_TRUE(store_.UpdateLight(1, 1, changed));
    ASSERT_TRUE(store_.SetConfigValue(1, L"report_rate", L"4"));
    ASSERT_TRUE(store_.SetConfigValue(1, L"dpi_group5_rgb", L"0"));

    const auto path = folder_ / "profile.xml";
    ASSERT_TRUE(withLights_.Export(1, L"Profil 1", path));
    EXPECT_EQ(ReadFile(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<profile>\r\n"
              "<profileinfo name=\"Profil 1\">\r\n"
              "<keyitems>\r\n"
              "<item key_code=\"4\" macro_type=\"2\" macro_value=\"10\" macro_value2=\"11\" macro_value3=\"12\" "
              "macro_desc=\"Left &amp; &quot;Right&quot;\"/>\r\n"
              "<item key_code=\"1\" macro_type=\"2\" macro_value=\"20\" macro_value2=\"21\" macro_value3=\"22\" macro_desc=\"\"/>\r\n"
              "</keyitems>\r\n"
              "<Lightitems lightmode=\"1\">\r\n"
              "<item light_mode=\"0\" brightness=\"255\" speed=\"127\" direction=\"0\" colorful=\"1\" colorindex=\"0\" color_value=\"255\"/>\r\n"
              "<item light_mode=\"1\" brightness=\"64\" speed=\"127\" direction=\"0\" colorful=\"1\" colorindex=\"0\" color_value=\"65280\"/>\r\n"
              "<item light_mode=\"2\" brightness=\"255\" speed=\"127\" direction=\"0\" colorful=\"1\" colorindex=\"0\" color_value=\"255\"/>\r\n"
              "</Lightitems>\r\n"
              "<Mouse_DPI dpi_flag=\"6\" dpi_index=\"2\" dpi_count=\"6\">\r\n"
              "<DPI1 value=\"800\" color=\"255\"/>\r\n"
              "<DPI2 value=\"1200\" color=\"65280\"/>\r\n"
              "<DPI3 value=\"2400\" color=\"16711680\"/>\r\n"
              "<DPI4 value=\"3600\" color=\"42495\"/>\r\n"
              "<DPI5 value=\"4800\" color=\"16711935\"/>\r\n"
              "<DPI6 value=\"12000\" color=\"0\"/>\r\n"
              "</Mouse_DPI>\r\n"
              "<Mouse>\r\n"
              "<button_respondtime value=\"8\"/>\r\n"
              "<report_rate value=\"4\"/>\r\n"
              "<report_rate_wireless value=\"1\"/>\r\n"
              "<sensor_flag value=\"16\"/>\r\n"
              "<liftoff_height value=\"1\"/>\r\n"
              "<scroll_flag value=\"1\"/>\r\n"
              "<e-sports_flag value=\"1\"/>\r\n"
              "<leftbtn_lock value=\"1\"/>\r\n"
              "<sleep_light value=\"2\"/>\r\n"
              "</Mouse>\r\n"
              "<mouse_properties>\r\n"
              "<mouse_speed value=\"10\"/>\r\n"
              "<mouse_sensitivity value=\"1\"/>\r\n"
              "<wheel_scrollflag value=\"0\"/>\r\n"
              "<wheel_scrolllines value=\"3\"/>\r\n"
              "<doubleclick_time value=\"550\"/>\r\n"
              "</mouse_properties>\r\n"
              "</profileinfo>\r\n"
              "</profile>\r\n");
}

TEST_F(ProfileFileTest, ModelsWithoutLightingNeitherWriteNorReadLighting)
{
    const auto path = folder_ / "profile.xml";
    ASSERT_TRUE(withoutLights_.Export(1, L"P", path));
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.find("Lightitems"), std::string::npos);
    EXPECT_NE(text.find("<keyitems/>\r\n<Mouse_DPI "), std::string::npos);

    const SqlRows lights = Query("SELECT * FROM t_light_data WHERE profile = 2");
    ASSERT_TRUE(withoutLights_.Import(2, Write("<profile><profileinfo><Lightitems lightmode=\"2\">"
                                               "<item light_mode=\"0\" brightness=\"1\"/></Lightitems></profileinfo></profile>")));
    EXPECT_EQ(Query("SELECT * FROM t_light_data WHERE profile = 2"), lights);
}

TEST_F(ProfileFileTest, ExportThenImportCarriesEveryValue)
{
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> values = {
        {L"dpi_flag", L"3"}, {L"dpi_index", L"4"}, {L"dpi_count", L"5"},
        {L"dpi_group0_value", L"400"}, {L"dpi_group5_value", L"26000"}, {L"dpi_group3_rgb", L"1193046"},
        {L"button_respondtime", L"12"}, {L"report_rate", L"3"}, {L"report_rate_wireless", L"4"},
        {L"sensor_flag", L"21"}, {L"liftoff_height", L"2"}, {L"scroll_flag", L"0"}, {L"e-sports_flag", L"2"},
        {L"leftbtn_lock", L"0"}, {L"sleep_light", L"60"}, {L"mouse_speed", L"17"}, {L"mouse_sensitivity", L"0"},
        {L"wheel_scrollflag", L"1"}, {L"wheel_scrolllines", L"7"}, {L"doubleclick_time", L"340"},
    };
    for (const auto& [key, value] : values)
        ASSERT_TRUE(store_.SetConfigValue(1, key, value));
    ASSERT_GT(store_.SetKeyMacro(Button(1, 4, 10, L"配置 <x>")), 0);
    ASSERT_GT(store_.SetKeyMacro(Button(1, 2, 0, L"")), 0); // macro_value2 alone keeps the row
    ASSERT_GT(store_.SetKeyMacro(Button(2, 9, 30, L"only on 2")), 0);
    LightRecord changed = Light(1, 2);
    changed.brightness = 9;
    changed.speed = 8;
    changed.direction = 1;
    changed.colorful = 0;
    changed.colorindex = 3;
    changed.color_value = 0x123456;
    ASSERT_TRUE(store_.UpdateLight(1, 2, changed));
    ASSERT_TRUE(store_.SetActiveLight(1, 2));

    const auto path = folder_ / "profile.xml";
    ASSERT_TRUE(withLights_.Export(1, L"Profil 1", path));
    ASSERT_TRUE(withLights_.Import(2, path));
    EXPECT_EQ(Carried(2), Carried(1));
}

TEST_F(ProfileFileTest, UnusableFilesChangeNothing)
{
    store_.SetKeyMacro(Button(2, 4, 10, L"keep"));
    const SqlRows before = Everything();
    const std::vector<std::string> cases = {
        "",
        "<profile><profileinfo><keyitems></profileinfo></profile>",
        "<macro><profileinfo><keyitems/></profileinfo></macro>",
        "<profile><keyitems/><Mouse_DPI dpi_index=\"0\"/></profile>",
        "<profile/><profile/>",
    };
    for (const std::string& xml : cases)
        EXPECT_FALSE(withLights_.Import(2, Write(xml))) << xml;
    EXPECT_FALSE(withLights_.Import(2, folder_ / "absent.xml"));
    EXPECT_EQ(Everything(), before);
}

TEST_F(ProfileFileTest, MissingSectionsLeaveTheirSettingsAlone)
{
    store_.SetKeyMacro(Button(2, 4, 10, L"keep"));
    ASSERT_TRUE(withLights_.Import(2, Write("<profile><profileinfo name=\"x\">"
                                            "<Mouse_DPI dpi_index=\"5\"><DPI2 value=\"999\" color=\"1\"/></Mouse_DPI>"
                                            "</profileinfo></profile>")));
    EXPECT_EQ(Config(2, L"dpi_index"), L"5");
    EXPECT_EQ(Config(2, L"dpi_flag"), L""); // attributes of a present section are copied as they are
    EXPECT_EQ(Config(2, L"dpi_group1_value"), L"999");
    EXPECT_EQ(Config(2, L"dpi_group0_value"), L"800");
    KeyMacroRecord button;
    EXPECT_TRUE(store_.GetKeyMacro(2, 4, button));
    EXPECT_EQ(store_.GetActiveLightMode(2), 0);
}

TEST_F(ProfileFileTest, AnEmptyKeyitemsSectionResetsEveryButton)
{
    store_.SetKeyMacro(Button(2, 4, 10, L"gone"));
    store_.SetKeyMacro(Button(1, 4, 10, L"other profile"));
    ASSERT_TRUE(withLights_.Import(2, Write("<profile><profileinfo><keyitems/></profileinfo></profile>")));
    std::vector<KeyMacroRecord> buttons;
    EXPECT_EQ(store_.GetKeyMacros(2, buttons), 0);
    EXPECT_EQ(store_.GetKeyMacros(1, buttons), 1);
}

TEST_F(ProfileFileTest, SectionsAreFoundOnlyInTheirOrder)
{
    ASSERT_TRUE(withLights_.Import(2, Write("<profile><profileinfo>"
                                            "<Mouse><report_rate value=\"4\"/></Mouse>"
                                            "<Mouse_DPI dpi_index=\"1\"/>"
                                            "</profileinfo></profile>")));
    EXPECT_EQ(Config(2, L"dpi_index"), L"1");
    EXPECT_EQ(Config(2, L"report_rate"), L"0");
}

TEST_F(ProfileFileTest, LightItemsUpdateOnlyModesTheProfileHas)
{
    ASSERT_TRUE(withLights_.Import(2, Write("<profile><profileinfo><Lightitems lightmode=\"2\">"
                                            "<item light_mode=\"1\" brightness=\"5\" speed=\"6\" direction=\"1\" "
                                            "colorful=\"0\" colorindex=\"4\" color_value=\"99\"/>"
                                            "<item light_mode=\"6\" brightness=\"7\"/>"
                                            "</Lightitems></profileinfo></profile>")));
    EXPECT_EQ(store_.GetActiveLightMode(2), 2);
    EXPECT_EQ(Query("SELECT mode, brightness, speed, direction, colorful, colorindex, color_value, config_func, "
                    "reserved, name FROM t_light_data WHERE profile = 2 ORDER BY mode"),
              (SqlRows{{"0", "255", "127", "0", "1", "0", "255", "19", "280", "light"},
                       {"1", "5", "6", "1", "0", "4", "99", "19", "281", "light"},
                       {"2", "255", "127", "0", "1", "0", "255", "19", "282", "light"}}));
}

TEST_F(ProfileFileTest, PointerValuesOutsideTheirRangeAreNotImported)
{
    struct Case {
        const wchar_t* key;
        const char* text;
        bool imported;
    };
    const std::vector<Case> cases = {
        {L"mouse_speed", "1", true},          {L"mouse_speed", "20", true},       {L"mouse_speed", "0", false},
        {L"mouse_speed", "21", false},        {L"mouse_speed", "-3", false},      {L"mouse_speed", "5x", false},
        {L"mouse_speed", " 5", false},        {L"mouse_speed", "", false},        {L"mouse_sensitivity", "0", true},
        {L"mouse_sensitivity", "2", false},   {L"wheel_scrolllines", "0", true},  {L"wheel_scrolllines", "21", false},
        {L"doubleclick_time", "200", true},   {L"doubleclick_time", "900", true}, {L"doubleclick_time", "199", false},
        {L"doubleclick_time", "99999", false}, {L"wheel_scrollflag", "any", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(store_.SetConfigValue(2, c.key, L"before"));
        const std::string element = ToUtf8(c.key);
        ASSERT_TRUE(withLights_.Import(2, Write("<profile><profileinfo><mouse_properties><" + element + " value=\"" +
                                                c.text + "\"/></mouse_properties></profileinfo></profile>")));
        EXPECT_EQ(Config(2, c.key), c.imported ? FromUtf8(c.text) : L"before") << element << " " << c.text;
    }
}

TEST_F(ProfileFileTest, AStoreFailurePartWayLeavesTheProfileAsItWas)
{
    store_.SetKeyMacro(Button(2, 4, 10, L"keep"));
    store_.SetKeyMacro(Button(1, 5, 50, L"new"));
    const auto path = folder_ / "profile.xml";
    ASSERT_TRUE(withLights_.Export(1, L"P", path));
    const SqlRows before = Everything();
    // The file's buttons and lights are applied before its pointer values, which are refused.
    Query("CREATE TRIGGER refuse BEFORE UPDATE ON t_configdata WHEN NEW.key = 'mouse_speed' "
          "BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(withLights_.Import(2, path));
    EXPECT_EQ(Everything(), before);
}
