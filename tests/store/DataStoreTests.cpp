#include "store/DataStore.h"

#include "store/DatabaseSchema.h"
#include "store/StoreFixture.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class DataStoreTest : public StoreFixture {};

std::string WithoutIfNotExists(std::string sql)
{
    const std::string clause = " IF NOT EXISTS";
    sql.erase(sql.find(clause), clause.size());
    return sql;
}

KeyMacroRecord Button(int profile, int keyCode, int value, int value2 = 0, int layer = 0)
{
    KeyMacroRecord record;
    record.profile = profile;
    record.fn_layer = layer;
    record.key_code = keyCode;
    record.layout_value = 3;
    record.layout_desc = L"layout";
    record.macro_type = 2;
    record.macro_value = value;
    record.macro_value2 = value2;
    record.macro_value3 = 9;
    record.macro_desc = L"Ctrl+C";
    return record;
}

LightRecord Light(int profile, int mode)
{
    LightRecord light;
    light.profile = profile;
    light.name = L"mode " + std::to_wstring(mode);
    light.mode = mode;
    light.brightness = 10 + mode;
    light.speed = 20 + mode;
    light.direction = 1;
    light.colorful = 1;
    light.colorindex = 2;
    light.color_value = 0x00FF00;
    light.config_func = 19;
    light.reserved = 280 + mode;
    return light;
}

MacroEventRecord Event(int macroId, int index, std::wstring desc)
{
    MacroEventRecord event;
    event.macro_id = macroId;
    event.type = 1;
    event.record_index = index;
    event.value = 65 + index;
    event.delay_time = 10 * index;
    event.desc = std::move(desc);
    return event;
}

} // namespace

TEST_F(DataStoreTest, NewFileHoldsExactlyTheSchema)
{
    // SQLite records each statement as written, without its IF NOT EXISTS clause.
    SqlRows expected;
    for (const char* statement : DatabaseSchema::Statements())
        expected.push_back({WithoutIfNotExists(statement)});
    EXPECT_EQ(Query("SELECT sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid"), expected);
    EXPECT_EQ(Query("SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid"),
              (SqlRows{{"table", "t_configdata"}, {"table", "t_profile_data"}, {"index", "profileindex"},
                       {"table", "t_key_macro_data"}, {"index", "keyindex"}, {"table", "t_key_otherdata"},
                       {"index", "otheridindex"}, {"table", "t_macro_data"}, {"index", "macroidindex"},
                       {"table", "t_macrorecord"}, {"index", "macrorecordindex"}, {"table", "t_light_data"},
                       {"index", "lightindex"}, {"table", "t_key_light_data"}, {"index", "keylightindex"},
                       {"table", "t_ledlayer_data"}, {"table", "t_ledframe_data"}}));
    EXPECT_EQ(Query("SELECT sql FROM sqlite_master WHERE name = 't_configdata'"),
              (SqlRows{{"CREATE TABLE t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
                        "\t\t\t\t\t\t\t\t  profile INTEGER, key TEXT, value TEXT)"}}));
    for (const char* unused : {"t_key_otherdata", "t_key_light_data", "t_ledlayer_data", "t_ledframe_data"})
        EXPECT_EQ(Query(std::string("SELECT count(*) FROM ") + unused), (SqlRows{{"0"}}));
}

TEST_F(DataStoreTest, ExistingFileIsOpenedWithoutRunningTheSchema)
{
    store_.Close();
    const auto other = folder_ / "db/Other_datav1.db";
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(other.c_str(), &raw), SQLITE_OK);
        sqlite3_exec(raw, "CREATE TABLE mine(x)", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    }
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), L"Other"));
    EXPECT_EQ(store_.DatabasePath(), other);
    EXPECT_EQ(QueryFile(other, "SELECT name FROM sqlite_master"), (SqlRows{{"mine"}}));
}

TEST_F(DataStoreTest, SwitchingModelsSwitchesFiles)
{
    ProfileRecord profile;
    profile.name = L"A";
    ASSERT_EQ(store_.AddProfile(profile), 1);
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), L"N"));
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(store_.GetProfiles(profiles), 0);
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), L"M"));
    EXPECT_EQ(store_.GetProfiles(profiles), 1);
}

TEST(DataStore, WithoutTheDbFolderNothingOpensAndEverythingFailsQuietly)
{
    TempFolder folder;
    DataStore store;
    EXPECT_FALSE(store.OpenDeviceDatabase(folder.Path(), L"M"));
    EXPECT_FALSE(store.IsOpen());
    std::vector<ProfileRecord> profiles(1);
    EXPECT_EQ(store.GetProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    std::wstring value = L"stale";
    EXPECT_FALSE(store.GetConfigValue(1, L"dpi_index", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(store.SetConfigValue(1, L"dpi_index", L"1"));
    EXPECT_EQ(store.AddMacro(L"m"), 0);
    EXPECT_FALSE(store.DeleteMacro(1));
    EXPECT_EQ(store.GetActiveProfile(), 0);
    EXPECT_FALSE(store.RunTransaction([] { return true; }));
    EXPECT_FALSE(std::filesystem::exists(folder / "db"));
}

TEST(DataStore, RefusesModelKeysThatNameFilesElsewhere)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "db");
    DataStore store;
    for (const wchar_t* model : {L"", L"../M", L"a/b", L"..", L"a\\b"}) {
        EXPECT_FALSE(store.OpenDeviceDatabase(folder.Path(), model));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder / "db"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(DataStore, AFileThatIsNotADatabaseIsLeftUntouched)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "db");
    const std::string junk(2048, 'j');
    const auto file = folder.Write("db/M_datav1.db", junk);
    DataStore store;
    store.OpenDeviceDatabase(folder.Path(), L"M");
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(store.GetProfiles(profiles), 0);
    EXPECT_EQ(store.AddProfile(ProfileRecord{}), 0);
    store.Close();
    EXPECT_EQ(ReadFile(file), junk);
}

TEST_F(DataStoreTest, ConfigValuesChangeOnlyExistingKeys)
{
    ASSERT_EQ(store_.AddProfile(ProfileRecord{}), 1);
    std::wstring value;
    ASSERT_TRUE(store_.GetConfigValue(1, L"report_rate_wireless", value));
    EXPECT_EQ(value, L"1");
    ASSERT_TRUE(store_.SetConfigValue(1, L"report_rate_wireless", L"4"));
    ASSERT_TRUE(store_.GetConfigValue(1, L"report_rate_wireless", value));
    EXPECT_EQ(value, L"4");

    const SqlRows before = Query("SELECT * FROM t_configdata");
    EXPECT_TRUE(store_.SetConfigValue(1, L"no_such_key", L"5"));
    EXPECT_TRUE(store_.SetConfigValue(2, L"dpi_index", L"5")); // no profile 2
    EXPECT_EQ(Query("SELECT * FROM t_configdata"), before);
    value = L"stale";
    EXPECT_FALSE(store_.GetConfigValue(1, L"no_such_key", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(store_.GetConfigValue(2, L"dpi_index", value));
}

TEST_F(DataStoreTest, TextIsStoredAsUtf8)
{
    ASSERT_EQ(store_.AddProfile(ProfileRecord{0, L"配置方案 1", L"", 0, 0}), 1);
    EXPECT_EQ(Query("SELECT hex(name) FROM t_profile_data"), (SqlRows{{"E9858DE7BDAEE696B9E6A1882031"}}));
    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(store_.GetProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].name, L"配置方案 1");
}

TEST_F(DataStoreTest, AddProfileWritesItsDefaultKeysInOrder)
{
    ProfileRecord record{0, L"Mine", L"app", 7, 1};
    ASSERT_EQ(store_.AddProfile(record), 1);
    EXPECT_EQ(Query("SELECT profile, name, status, app, type FROM t_profile_data"),
              (SqlRows{{"1", "Mine", "0", "app", "0"}}));
    const SqlRows keys = Query("SELECT profile, key, value FROM t_configdata ORDER BY config_id");
    ASSERT_EQ(keys.size(), 48u);
    EXPECT_EQ(keys.front(), (std::vector<std::string>{"1", "version", "1.0.1"}));
    EXPECT_EQ(keys[4], (std::vector<std::string>{"1", "report_rate", "0"}));
    EXPECT_EQ(keys[5], (std::vector<std::string>{"1", "report_rate_wireless", "1"}));
    EXPECT_EQ(keys[21], (std::vector<std::string>{"1", "dpi_group6_value", "0"}));
    EXPECT_EQ(keys[31], (std::vector<std::string>{"1", "dpi_group6_rgb", "2139135"}));
    EXPECT_EQ(keys[39], (std::vector<std::string>{"1", "doubleclick_time", "550"}));
    EXPECT_EQ(keys.back(), (std::vector<std::string>{"1", "default_color8", "16777215"}));
}

TEST_F(DataStoreTest, AddProfileWhoseInsertFailsStillWritesKeysUnderProfileZero)
{
    Query("CREATE TRIGGER refuse BEFORE INSERT ON t_profile_data BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_EQ(store_.AddProfile(ProfileRecord{}), 0);
    EXPECT_EQ(Query("SELECT count(*), min(profile), max(profile) FROM t_configdata"), (SqlRows{{"48", "0", "0"}}));
}

TEST_F(DataStoreTest, OneProfileIsActiveAtMost)
{
    for (int i = 0; i < 3; ++i)
        store_.AddProfile(ProfileRecord{});
    EXPECT_EQ(store_.GetActiveProfile(), 0);
    ASSERT_TRUE(store_.SetActiveProfile(2));
    EXPECT_EQ(store_.GetActiveProfile(), 2);
    ASSERT_TRUE(store_.SetActiveProfile(3));
    EXPECT_EQ(Query("SELECT profile FROM t_profile_data WHERE status = 1"), (SqlRows{{"3"}}));
    EXPECT_TRUE(store_.SetActiveProfile(9));
    EXPECT_EQ(store_.GetActiveProfile(), 0);
}

TEST_F(DataStoreTest, SetKeyMacroReplacesOrRemovesTheButtonRow)
{
    const int first = store_.SetKeyMacro(Button(1, 4, 5));
    ASSERT_GT(first, 0);
    const int second = store_.SetKeyMacro(Button(1, 4, 0, 6));
    EXPECT_GT(second, first);
    KeyMacroRecord read;
    ASSERT_TRUE(store_.GetKeyMacro(1, 4, read));
    EXPECT_EQ(read.key_id, second);
    EXPECT_EQ(read.macro_value, 0);
    EXPECT_EQ(read.macro_value2, 6);
    EXPECT_EQ(read.layout_desc, L"layout");
    EXPECT_EQ(read.macro_desc, L"Ctrl+C");
    EXPECT_EQ(Query("SELECT count(*) FROM t_key_macro_data"), (SqlRows{{"1"}}));

    EXPECT_EQ(store_.SetKeyMacro(Button(1, 4, 0, 0)), 0);
    EXPECT_FALSE(store_.GetKeyMacro(1, 4, read));
    EXPECT_EQ(read.key_id, second); // untouched
}

TEST_F(DataStoreTest, ButtonReadsSeeLayerZeroOnly)
{
    ASSERT_GT(store_.SetKeyMacro(Button(1, 4, 5)), 0);
    ASSERT_GT(store_.SetKeyMacro(Button(1, 4, 7, 0, 1)), 0);
    ASSERT_GT(store_.SetKeyMacro(Button(1, 5, 7, 0, 1)), 0);
    ASSERT_GT(store_.SetKeyMacro(Button(2, 6, 8)), 0);
    std::vector<KeyMacroRecord> list(3);
    ASSERT_EQ(store_.GetKeyMacros(1, list), 1);
    EXPECT_EQ(list[0].macro_value, 5);
    KeyMacroRecord read;
    EXPECT_FALSE(store_.GetKeyMacro(1, 5, read));

    ASSERT_TRUE(store_.SetKeyMacroDesc(1, 4, L"new"));
    ASSERT_TRUE(store_.GetKeyMacro(1, 4, read));
    EXPECT_EQ(read.macro_desc, L"new");

    ASSERT_TRUE(store_.DeleteKeyMacros(1));
    EXPECT_EQ(store_.GetKeyMacros(1, list), 0);
    EXPECT_EQ(store_.GetKeyMacros(2, list), 1);
}

TEST_F(DataStoreTest, LightingRowsAndTheActiveMode)
{
    for (int mode = 0; mode < 3; ++mode)
        ASSERT_GT(store_.AddLight(Light(1, mode)), 0);
    ASSERT_GT(store_.AddLight(Light(2, 0)), 0);
    EXPECT_EQ(store_.GetLightCount(1), 3);
    EXPECT_EQ(store_.GetLightCount(3), 0);

    LightRecord change = Light(9, 9);
    change.name = L"ignored";
    change.status = 1;
    change.brightness = 99;
    ASSERT_TRUE(store_.UpdateLight(1, 1, change));
    LightRecord read;
    ASSERT_TRUE(store_.GetLight(1, 1, read));
    EXPECT_EQ(read.brightness, 99);
    EXPECT_EQ(read.reserved, 289);
    EXPECT_EQ(read.name, L"mode 1");
    EXPECT_EQ(read.mode, 1);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.status, 0);
    EXPECT_FALSE(store_.GetLight(1, 7, read));

    ASSERT_TRUE(store_.SetActiveLight(1, 2));
    EXPECT_EQ(store_.GetActiveLightMode(1), 2);
    ASSERT_TRUE(store_.SetActiveLight(1, 6));
    EXPECT_EQ(store_.GetActiveLightMode(1), 0);
    EXPECT_EQ(Query("SELECT count(*) FROM t_light_data WHERE status = 1"), (SqlRows{{"0"}}));

    std::vector<LightRecord> lights;
    ASSERT_EQ(store_.GetLights(1, lights), 3);
    EXPECT_EQ(lights[2].mode, 2);
    EXPECT_EQ(lights[2].color_value, 0x00FF00);
}

TEST_F(DataStoreTest, MacrosAndTheirEvents)
{
    const int plain = store_.AddMacro(L"Plain");
    ASSERT_EQ(plain, 1);
    MacroRecord read;
    ASSERT_TRUE(store_.GetMacro(plain, read));
    EXPECT_EQ(read.name, L"Plain");
    EXPECT_EQ(read.play_type, 0);
    EXPECT_EQ(read.play_times, 1);
    EXPECT_EQ(read.delay_type, 1);
    EXPECT_EQ(read.delay_time, 0);

    const int full = store_.AddMacro(MacroRecord{0, L"Full", 2, 3, 0, 40});
    ASSERT_EQ(full, 2);
    ASSERT_TRUE(store_.RenameMacro(full, L"Renamed"));
    ASSERT_TRUE(store_.UpdateMacro(MacroRecord{full, L"Updated", 1, 5, 2, 60}));
    ASSERT_TRUE(store_.GetMacro(full, read));
    EXPECT_EQ(read.name, L"Updated");
    EXPECT_EQ(read.play_times, 5);
    EXPECT_EQ(read.delay_time, 60);
    std::vector<MacroRecord> macros;
    EXPECT_EQ(store_.GetMacros(macros), 2);

    ASSERT_GT(store_.AddMacroEvent(Event(full, 5, L"e5")), 0);
    store_.AddMacroEvents({Event(full, 9, L"e9"), Event(full, 1, L"e1"), Event(plain, 3, L"other")});
    std::vector<MacroEventRecord> events;
    ASSERT_EQ(store_.GetMacroEvents(full, events), 3);
    EXPECT_EQ(events[0].record_index, 1);
    EXPECT_EQ(events[1].record_index, 5);
    EXPECT_EQ(events[2].record_index, 9);
    EXPECT_EQ(events[2].desc, L"e9");
    EXPECT_EQ(events[2].value, 74);
    EXPECT_EQ(events[2].delay_time, 90);

    EXPECT_TRUE(store_.DeleteMacro(full));
    EXPECT_FALSE(store_.GetMacro(full, read));
    EXPECT_EQ(store_.GetMacroEvents(full, events), 0);
    EXPECT_EQ(store_.GetMacroEvents(plain, events), 1);
    EXPECT_TRUE(store_.DeleteMacro(77));
    ASSERT_TRUE(store_.DeleteMacroEvents(plain));
    EXPECT_EQ(store_.GetMacroEvents(plain, events), 0);
    EXPECT_TRUE(store_.GetMacro(plain, read));
}

TEST_F(DataStoreTest, ATransactionKeepsAllOrNothing)
{
    store_.AddProfile(ProfileRecord{});
    const SqlRows before = Query("SELECT * FROM t_configdata");
    Query("CREATE TRIGGER refuse BEFORE UPDATE ON t_configdata WHEN NEW.key = 'dpi_index' "
          "BEGIN SELECT RAISE(ABORT, 'no'); END");

    EXPECT_FALSE(store_.RunTransaction([&] {
        store_.SetConfigValue(1, L"report_rate", L"4");
        store_.SetConfigValue(1, L"dpi_index", L"1"); // refused
        store_.SetConfigValue(1, L"sleep_light", L"6");
        return true;
    }));
    EXPECT_FALSE(store_.RunTransaction([&] {
        store_.SetConfigValue(1, L"report_rate", L"4");
        return false;
    }));
    EXPECT_EQ(Query("SELECT * FROM t_configdata"), before);

    EXPECT_TRUE(store_.RunTransaction([&] {
        const int macro = store_.AddMacro(L"m");
        return store_.DeleteMacro(macro) && store_.SetConfigValue(1, L"report_rate", L"4");
    }));
    std::wstring value;
    store_.GetConfigValue(1, L"report_rate", value);
    EXPECT_EQ(value, L"4");
}
