#include "app/shell/AutorunEntry.h"

#include "app/shell/GlibHandles.h"
#include "support/FileBytes.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

class AutorunEntryTest : public ::testing::Test {
protected:
    // The argument vector a launcher builds from the entry's Exec key.
    static std::vector<std::string> ExecArguments(const fs::path& file)
    {
        GKeyFilePtr entry(g_key_file_new());
        EXPECT_TRUE(g_key_file_load_from_file(entry.get(), file.c_str(), G_KEY_FILE_NONE, nullptr));
        GCharPtr exec(g_key_file_get_string(entry.get(), "Desktop Entry", "Exec", nullptr));
        std::string command = exec ? exec.get() : "";
        for (std::size_t at = command.find("%%"); at != std::string::npos; at = command.find("%%", at + 1))
            command.erase(at, 1);
        gchar** argv = nullptr;
        EXPECT_TRUE(g_shell_parse_argv(command.c_str(), nullptr, &argv, nullptr)) << command;
        GStrvPtr owned(argv);
        std::vector<std::string> arguments;
        for (gchar** a = argv; a && *a; ++a)
            arguments.emplace_back(*a);
        return arguments;
    }

    TempHome home;
    UserSettings settings{L"Mouse X"};
};

} // namespace

TEST_F(AutorunEntryTest, OnWritesAnAutostartEntryThatRunsTheProgramInTheDataFolder)
{
    const AutorunEntry autorun(L"Mouse X", "/opt/My Apps/pelmaro");
    EXPECT_FALSE(autorun.IsAutorunRegistered());
    autorun.SetAutorun(true, settings);

    EXPECT_EQ(autorun.FilePath(), home.ConfigHome() / "autostart" / "Mouse X.desktop");
    EXPECT_TRUE(autorun.IsAutorunRegistered());
    const std::string text = ReadFile(autorun.FilePath());
    EXPECT_NE(text.find("\nExec=\"/opt/My Apps/pelmaro\" -autorun\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nPath=" + (home.DataHome() / "Mouse X Files/").string() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nName=Mouse X\n"), std::string::npos) << text;
    EXPECT_EQ(ExecArguments(autorun.FilePath()), (std::vector<std::string>{"/opt/My Apps/pelmaro", "-autorun"}));

    const std::string validate = "desktop-file-validate '" + autorun.FilePath().string() + "'";
    EXPECT_EQ(std::system(validate.c_str()), 0);
}

TEST_F(AutorunEntryTest, ProgramPathsWithReservedCharactersSurviveTheQuoting)
{
    const std::string paths[] = {
        R"(/opt/a "quoted" name/pelmaro)", R"(/opt/$HOME/`cmd`/pelmaro)", R"(/opt/back\slash/pelmaro)",
        "/opt/100% sure/pelmaro",          "/opt/semi;colon & pipe|/pelmaro",
    };
    for (const std::string& path : paths) {
        const AutorunEntry autorun(L"Mouse X", path);
        autorun.SetAutorun(true, settings);
        EXPECT_EQ(ExecArguments(autorun.FilePath()), (std::vector<std::string>{path, "-autorun"}));
    }
}

TEST_F(AutorunEntryTest, ExecArgumentsAreQuotedByTheDesktopEntryRules)
{
    const struct {
        const char* argument;
        const char* quoted;
    } cases[] = {
        {"/usr/bin/pelmaro", R"("/usr/bin/pelmaro")"},
        {"/a b/c", R"("/a b/c")"},
        {R"(/a"b)", R"("/a\"b")"},
        {"/a`b$c", R"("/a\`b\$c")"},
        {R"(/a\b)", R"("/a\\b")"},
        {"/50%", R"("/50%%")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutorunEntry::QuoteExecArgument(c.argument), c.quoted);
}

TEST_F(AutorunEntryTest, AnyEntryOfTheDeviceNameCountsAsRegistered)
{
    const AutorunEntry autorun(L"Mouse X", "/usr/bin/pelmaro");
    WriteFile(autorun.FilePath(), "");
    EXPECT_TRUE(autorun.IsAutorunRegistered());
    EXPECT_FALSE(AutorunEntry(L"Mouse Y", "/usr/bin/pelmaro").IsAutorunRegistered());
}

TEST_F(AutorunEntryTest, OffRemovesTheEntryAndStoresStartMinimisedOff)
{
    settings.GetLanguageId();
    settings.SetRegistryString(L"autorun_minimize", L"1");
    const AutorunEntry autorun(L"Mouse X", "/usr/bin/pelmaro");
    autorun.SetAutorun(true, settings);
    autorun.SetAutorun(false, settings);
    EXPECT_FALSE(autorun.IsAutorunRegistered());
    EXPECT_EQ(settings.GetRegistryInt(L"autorun_minimize"), 0);
}

TEST_F(AutorunEntryTest, OffWithoutAnEntryLeavesOtherEntriesAlone)
{
    settings.GetLanguageId();
    settings.SetRegistryString(L"autorun_minimize", L"1");
    WriteFile(home.ConfigHome() / "autostart" / "other.desktop", "[Desktop Entry]\n");
    AutorunEntry(L"Mouse X", "/usr/bin/pelmaro").SetAutorun(false, settings);
    EXPECT_TRUE(fs::exists(home.ConfigHome() / "autostart" / "other.desktop"));
    EXPECT_EQ(settings.GetRegistryInt(L"autorun_minimize"), 0);
    EXPECT_NE(ReadFile(settings.FilePath()).find("autorun_minimize=0"), std::string::npos);
}
