// pelmarectl's commands run as a user runs them, on a fresh data folder each.
#include "cli/CliRun.h"
#include "cli/TapMacro.h"

#include "store/DataStore.h"
#include "support/FileBytes.h"

namespace {

constexpr std::string_view kDefaultButtons = "0 Left click: 1 1 0 0 Left click (default)\n"
                                             "1 Right click: 1 2 0 0 Right click (default)\n"
                                             "2 Middle click: 1 3 0 0 Middle click (default)\n"
                                             "3 Back: 1 6 0 0 Back (default)\n"
                                             "4 Forward: 1 5 0 0 Forward (default)\n";

using CliCommandTest = CliTest;

TEST_F(CliCommandTest, FirstRunShowsFiveProfilesWithTheFirstActive)
{
    EXPECT_EQ(Output({"profiles"}), "* 1 Profile 1\n  2 Profile 2\n  3 Profile 3\n  4 Profile 4\n  5 Profile 5\n");
}

TEST_F(CliCommandTest, DefaultProfileNamesFollowTheLanguageTheWindowKeeps)
{
    Output({"profiles"});
    std::filesystem::create_directories(ConfigFolder() / "Pelmaro");
    Folder().Write("config/Pelmaro/settings.ini", "[Settings]\nLCID=1049\n");
    EXPECT_EQ(Output({"profiles"}),
              "* 1 Профиль 1\n  2 Профиль 2\n  3 Профиль 3\n  4 Профиль 4\n  5 Профиль 5\n");
}

TEST_F(CliCommandTest, ErrorsExitNonZeroWithAMessageAndPrintNothingElse)
{
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, 2, "usage: pelmarectl [--virtual-mouse] [--trace] COMMAND ...\n"
                "       pelmarectl --help | --version\n"},
        {{"frobnicate"}, 2, "pelmarectl: unknown command frobnicate (see pelmarectl --help)\n"},
        {{"get", "dpi_index", "dpi_count"}, 2, "pelmarectl: usage: pelmarectl get [KEY]\n"},
        {{"set", "dpi_index"}, 2, "pelmarectl: usage: pelmarectl set KEY VALUE\n"},
        {{"send", "colour"}, 2,
         "pelmarectl: unknown settings group colour (dpi, performance, light, buttons, macros, reset, all)\n"},
        {{"get", "no_such_key"}, 1, "pelmarectl: no configuration key no_such_key\n"},
        {{"set", "no_such_key", "1"}, 1, "pelmarectl: no configuration key no_such_key\n"},
        {{"set", "dpi_index", "2x"}, 1, "pelmarectl: the value of dpi_index must be a whole number, not \"2x\"\n"},
        {{"set", "dpi_index", ""}, 1, "pelmarectl: the value of dpi_index must be a whole number, not \"\"\n"},
        {{"set", "dpi_index", "99999999999"}, 1,
         "pelmarectl: the value of dpi_index must be a whole number, not \"99999999999\"\n"},
        {{"get", "dpi_index", "--profile", "9"}, 1, "pelmarectl: no profile 9\n"},
        {{"use", "Profile 9"}, 1, "pelmarectl: no profile Profile 9\n"},
        {{"macro-show", "4"}, 1, "pelmarectl: no macro 4 (see `pelmarectl macros`)\n"},
        {{"macro-delete", "x"}, 1, "pelmarectl: no macro x (see `pelmarectl macros`)\n"},
        {{"assign", "7", "mouse", "1"}, 1,
         "pelmarectl: no button with key code 7 on this model (see `pelmarectl buttons`)\n"},
        {{"reset-button", "-1"}, 1,
         "pelmarectl: no button with key code -1 on this model (see `pelmarectl buttons`)\n"},
        {{"assign", "1", "joystick", "1"}, 1,
         "pelmarectl: unknown assignment type joystick (1 to 11, or mouse, key, media, macro, shortcut)\n"},
        {{"assign", "1", "12", "1"}, 1,
         "pelmarectl: unknown assignment type 12 (1 to 11, or mouse, key, media, macro, shortcut)\n"},
        {{"assign", "1", "key", "A"}, 1, "pelmarectl: an assignment value must be a whole number, not \"A\"\n"},
        {{"assign", "1", "key", "0", "0"}, 1,
         "pelmarectl: VALUE and VALUE2 are both 0, which assigns nothing; use reset-button for the default\n"},
        {{"assign", "1", "macro", "3"}, 1, "pelmarectl: no macro 3\n"},
        {{"--profile"}, 2, "pelmarectl: option --profile needs a value\n"},
        {{"--colour", "profiles"}, 2, "pelmarectl: unknown option --colour\n"},
        {{"profiles", "--profile", "2"}, 2, "pelmarectl: --profile has no meaning for profiles\n"},
        {{"set", "dpi_index", "1", "--desc", "x"}, 2, "pelmarectl: --desc has no meaning for set\n"},
    };
    for (const Case& c : cases) {
        const CliResult result = Run(c.words);
        std::string call;
        for (const std::string& word : c.words)
            call += word + " ";
        EXPECT_EQ(result.status, c.status) << call;
        EXPECT_TRUE(result.err.starts_with(c.message)) << call << "\n" << result.err;
        EXPECT_EQ(result.out, "") << call;
    }
    // None of the refused changes reached the store.
    EXPECT_EQ(Output({"get", "dpi_index"}), "2\n");
    EXPECT_EQ(Output({"buttons"}), kDefaultButtons);
}

TEST_F(CliCommandTest, MalformedFilesAreRefusedWithNothingChanged)
{
    const std::vector<std::string_view> files = {"", "<macro>", "<profile><profileinfo>", "not xml at all",
                                                 "<other/>"};
    const std::string before = Output({"get"});
    for (std::string_view bytes : files) {
        const std::string file = Folder().Write("bad.xml", bytes).string();
        const CliResult macro = Run({"macro-import", file});
        EXPECT_EQ(macro.status, 1) << bytes;
        EXPECT_EQ(macro.err, "pelmarectl: " + file + " is not a readable macro file; nothing was added\n");
        const CliResult profile = Run({"import", file});
        EXPECT_EQ(profile.status, 1) << bytes;
        EXPECT_EQ(profile.err, "pelmarectl: " + file + " is not a readable profile file; the profile is unchanged\n");
    }
    const CliResult missing = Run({"import", (Folder() / "missing.xml").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(Output({"macros"}), "");
    EXPECT_EQ(Output({"get"}), before);
}

TEST_F(CliCommandTest, ADataFolderThatCannotBeMadeIsAnError)
{
    std::filesystem::create_directories(DataFolder());
    Folder().Write("data/Pelmaro Files", "in the way");
    const CliResult result = Run({"profiles"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.starts_with("pelmarectl: cannot open the settings database ")) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadFile(DataFolder() / "Pelmaro Files"), "in the way");
}

TEST_F(CliCommandTest, SetStoresWholeNumbersInTheNamedProfileOnly)
{
    EXPECT_EQ(Output({"set", "dpi_group1_value", "+1600", "--profile", "2"}), "");
    EXPECT_EQ(Output({"set", "mouse_speed", "-3", "--profile", "Profile 2"}), "");
    EXPECT_EQ(Output({"get", "dpi_group1_value", "--profile", "2"}), "1600\n");
    EXPECT_EQ(Output({"get", "mouse_speed", "--profile", "2"}), "-3\n");
    EXPECT_EQ(Output({"get", "dpi_group1_value"}), "1200\n");
    EXPECT_EQ(Output({"get", "mouse_speed"}), "10\n");
}

TEST_F(CliCommandTest, AChangeOfTheActiveProfileIsKeptWhenNoMouseIsConnected)
{
    const CliResult result = Run({"set", "dpi_index", "4"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "pelmarectl: stored, but nothing was sent: no mouse is connected\n");
    EXPECT_EQ(Output({"get", "dpi_index"}), "4\n");

    const CliResult send = Run({"send", "all"});
    EXPECT_EQ(send.status, 1);
    EXPECT_EQ(send.err, "pelmarectl: no mouse is connected\n");
    EXPECT_EQ(Run({"devices"}).err, "pelmarectl: no mouse is connected\n");
}

TEST_F(CliCommandTest, UseMakesOneProfileActiveByIdOrShownName)
{
    EXPECT_EQ(Run({"use", "3"}).status, 0);
    EXPECT_EQ(Output({"profiles"}), "  1 Profile 1\n  2 Profile 2\n* 3 Profile 3\n  4 Profile 4\n  5 Profile 5\n");
    EXPECT_EQ(Run({"use", "Profile 5"}).status, 0);
    EXPECT_EQ(Output({"profiles"}), "  1 Profile 1\n  2 Profile 2\n  3 Profile 3\n  4 Profile 4\n* 5 Profile 5\n");
    // Commands without --profile now work on profile 5.
    EXPECT_EQ(Run({"set", "report_rate", "3", "--profile", "5"}).status, 0);
    EXPECT_EQ(Output({"get", "report_rate"}), "3\n");
}

TEST_F(CliCommandTest, AssignAndResetButtonChangeOneButton)
{
    EXPECT_EQ(Output({"assign", "3", "key", "4", "2", "--desc", "Shift+A", "--profile", "2"}), "");
    EXPECT_EQ(Output({"assign", "0", "9", "7", "--profile", "2"}), "");
    EXPECT_EQ(Output({"buttons", "--profile", "2"}), "0 Left click: 9 7 0 0 \n"
                                                      "1 Right click: 1 2 0 0 Right click (default)\n"
                                                      "2 Middle click: 1 3 0 0 Middle click (default)\n"
                                                      "3 Back: 2 4 2 0 Shift+A\n"
                                                      "4 Forward: 1 5 0 0 Forward (default)\n");
    EXPECT_EQ(Output({"reset-button", "3", "--profile", "2"}), "");
    EXPECT_EQ(Output({"reset-button", "0", "--profile", "2"}), "");
    EXPECT_EQ(Output({"buttons", "--profile", "2"}), kDefaultButtons);
}

TEST_F(CliCommandTest, MacrosImportShowExportAndDelete)
{
    const std::string file = Folder().Write("tap.xml", kTapMacroFile).string();
    const CliResult imported = Run({"macro-import", file});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "1 Tap A\n");
    EXPECT_EQ(Output({"macros"}), "1 Tap A (3 events)\n");
    const std::string shown = "name Tap A\nplay_type 0\nplay_times 1\ndelay_type 1\ndelay_time 0\n"
                              "0 2 65 0 A\n1 1 50 50 50 ms\n2 3 65 0 A\n";
    EXPECT_EQ(Output({"macro-show", "1"}), shown);

    // A macro assigned to a button names it when no description is given.
    EXPECT_EQ(Output({"assign", "4", "macro", "1", "--profile", "2"}), "");
    EXPECT_TRUE(Output({"buttons", "--profile", "2"}).ends_with("4 Forward: 4 1 0 0 Tap A\n"));

    const std::filesystem::path exportFolder = Folder() / "exported";
    std::filesystem::create_directory(exportFolder);
    const std::string written = Output({"macro-export", "1", exportFolder.string()});
    ASSERT_TRUE(written.starts_with((exportFolder / "Tap A-").string())) << written;
    ASSERT_TRUE(written.ends_with(".xml\n")) << written;
    EXPECT_EQ(Run({"macro-export", "1", (Folder() / "no-folder").string()}).status, 1);

    EXPECT_EQ(Run({"macro-import", written.substr(0, written.size() - 1)}).out, "2 Tap A\n");
    EXPECT_EQ(Output({"macro-show", "2"}), shown);

    EXPECT_EQ(Run({"macro-delete", "1"}).status, 0);
    EXPECT_EQ(Output({"macros"}), "2 Tap A (3 events)\n");
}

TEST_F(CliCommandTest, ExportThenImportCarriesAProfileOver)
{
    EXPECT_EQ(Output({"set", "dpi_group0_value", "400", "--profile", "2"}), "");
    EXPECT_EQ(Output({"set", "liftoff_height", "2", "--profile", "2"}), "");
    EXPECT_EQ(Output({"set", "doubleclick_time", "410", "--profile", "2"}), "");
    EXPECT_EQ(Output({"assign", "1", "media", "2", "--desc", "Play", "--profile", "2"}), "");
    const std::string file = (Folder() / "profile.xml").string();
    EXPECT_EQ(Output({"export", file, "--profile", "2"}), "");

    EXPECT_NE(Output({"get", "--profile", "4"}), Output({"get", "--profile", "2"}));
    EXPECT_EQ(Output({"import", file, "--profile", "4"}), "");
    EXPECT_EQ(Output({"get", "--profile", "4"}), Output({"get", "--profile", "2"}));
    EXPECT_EQ(Output({"buttons", "--profile", "4"}), Output({"buttons", "--profile", "2"}));
    EXPECT_EQ(Output({"get", "dpi_group0_value", "--profile", "4"}), "400\n");
}

TEST_F(CliCommandTest, ReadsTheDatabaseTheWindowKeepsAndTheWindowReadsItsChanges)
{
    const std::filesystem::path dataFolder = DataFolder() / "Pelmaro Files";
    std::filesystem::create_directories(dataFolder / "db");
    {
        DataStore store;
        ASSERT_TRUE(store.OpenDeviceDatabase(dataFolder, L"pelmaro_m1"));
        ProfileRecord game;
        game.name = L"Game";
        ASSERT_EQ(store.AddProfile(game), 1);
        ASSERT_TRUE(store.SetActiveProfile(1));
        ASSERT_TRUE(store.SetConfigValue(1, L"dpi_count", L"4"));
    }
    EXPECT_EQ(Output({"profiles"}), "* 1 Game\n");
    EXPECT_EQ(Output({"get", "dpi_count", "--profile", "Game"}), "4\n");
    EXPECT_EQ(Run({"set", "sleep_light", "20"}).status, 0);

    DataStore store;
    ASSERT_TRUE(store.OpenDeviceDatabase(dataFolder, L"pelmaro_m1"));
    std::wstring value;
    EXPECT_TRUE(store.GetConfigValue(1, L"sleep_light", value));
    EXPECT_EQ(value, L"20");
}

TEST_F(CliCommandTest, VirtualMouseIsListedAndProbed)
{
    EXPECT_EQ(Output({"--virtual-mouse", "devices"}),
              "Pelmaro M1, USB cable, 1209:0001, version 1.02\nconnection: USB Connection\n");
    EXPECT_EQ(Output({"probe", "--virtual-mouse"}),
              "VIRTUAL#VID_1209&PID_0001&MI_02#CABLE 1209:0001 version 1.02: Pelmaro M1, USB cable\n"
              "  <mode value=\"0\" desc=\"USB cable\" vid=\"0x1209\" pid=\"0x0001\" dev_id=\"MI_01\"/>\n");
}

TEST_F(CliCommandTest, HelpListsEveryCommand)
{
    const std::string help = Output({"--help"});
    for (const char* command : {"devices", "probe", "profiles", "use PROFILE", "get [KEY]", "set KEY VALUE", "buttons",
                                "assign KEY_CODE TYPE VALUE", "reset-button KEY_CODE", "macros", "macro-show ID",
                                "macro-export ID FOLDER", "macro-import FILE", "macro-delete ID", "export FILE",
                                "import FILE", "send dpi|performance|light|buttons|macros|reset|all"})
        EXPECT_NE(help.find(std::string("  ") + command), std::string::npos) << command;
}

} // namespace
