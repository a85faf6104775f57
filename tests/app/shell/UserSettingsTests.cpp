#include "app/shell/UserSettings.h"

#include "support/FileBytes.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    TempHome home;
    UserSettings settings{L"Mouse X"};
};

} // namespace

TEST_F(UserSettingsTest, FileLivesInTheDeviceFolderOfXdgConfigHome)
{
    EXPECT_EQ(settings.FilePath(), home.ConfigHome() / "Mouse X" / "settings.ini");
}

TEST_F(UserSettingsTest, FirstRunCreatesTheFileAndReadsZero)
{
    EXPECT_EQ(settings.GetRegistryInt(L"exit_mode"), 0);
    EXPECT_EQ(settings.GetDeviceType(), 0);
    EXPECT_FALSE(fs::exists(settings.FilePath()));

    EXPECT_EQ(settings.GetLanguageId(), 0);
    EXPECT_TRUE(fs::is_regular_file(settings.FilePath()));
    EXPECT_EQ(settings.GetLanguageId(), 0);
}

TEST_F(UserSettingsTest, WritesBeforeTheFileExistsAreSkipped)
{
    settings.SetLanguageId(1049);
    settings.SetDeviceType(2);
    settings.SetRegistryString(L"exit_mode", L"1");
    EXPECT_FALSE(fs::exists(settings.FilePath()));
}

TEST_F(UserSettingsTest, ValuesReadBackAndEachWriteKeepsTheOthers)
{
    settings.GetLanguageId();
    settings.SetLanguageId(1049);
    settings.SetDeviceType(3);
    settings.SetRegistryString(L"exit_mode", L"1");
    settings.SetRegistryString(L"autorun_minimize", L"0");
    settings.SetDeviceType(4);

    const UserSettings again(L"Mouse X");
    EXPECT_EQ(again.GetLanguageId(), 1049);
    EXPECT_EQ(again.GetDeviceType(), 4);
    EXPECT_EQ(again.GetRegistryInt(L"exit_mode"), 1);
    EXPECT_EQ(again.GetRegistryInt(L"autorun_minimize"), 0);
    EXPECT_EQ(again.GetRegistryInt(L"LCID"), 1049);
}

TEST_F(UserSettingsTest, StoredTextsReadByTheDecimalRule)
{
    settings.GetLanguageId();
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {{L"1033", 1033}, {L"abc", 0}, {L"", 0}, {L"  12x", 12}, {L"-5", -5}, {L"0x10", 0}};
    for (const auto& c : cases) {
        settings.SetRegistryString(L"LCID", c.text);
        settings.SetRegistryString(L"DeviceType", c.text);
        EXPECT_EQ(settings.GetLanguageId(), c.value);
        EXPECT_EQ(settings.GetDeviceType(), c.value);
    }
}

TEST_F(UserSettingsTest, UnreadableFileIsNeitherReadNorOverwritten)
{
    const std::string garbage = "this is not an ini file\n\x01\x02";
    WriteFile(settings.FilePath(), garbage);

    EXPECT_EQ(settings.GetLanguageId(), UserSettings::kUnreadableLanguageId);
    EXPECT_EQ(settings.GetRegistryInt(L"exit_mode"), 0);
    settings.SetDeviceType(5);
    EXPECT_EQ(ReadFile(settings.FilePath()), garbage);
}

TEST_F(UserSettingsTest, FileThatCannotBeCreatedGivesTheUnreadableLanguage)
{
    WriteFile(home.ConfigHome() / "Mouse X", "a file where the folder should be");
    EXPECT_EQ(settings.GetLanguageId(), UserSettings::kUnreadableLanguageId);
}

TEST_F(UserSettingsTest, WritesReplaceTheFileWithoutLeavingTemporaryFiles)
{
    settings.GetLanguageId();
    settings.SetLanguageId(1033);
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(settings.FilePath().parent_path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"settings.ini"});
    EXPECT_EQ(fs::status(settings.FilePath()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(UserSettingsTest, ConcurrentWritersNeverDropEachOthersValues)
{
    settings.GetLanguageId();
    const std::wstring names[] = {L"LCID", L"DeviceType", L"exit_mode", L"autorun_minimize"};
    std::vector<std::thread> writers;
    for (const std::wstring& name : names) {
        writers.emplace_back([&settings = settings, name] {
            for (int i = 1; i <= 20; ++i)
                settings.SetRegistryString(name, std::to_wstring(i));
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    for (const std::wstring& name : names)
        EXPECT_EQ(settings.GetRegistryInt(name), 20);
}
