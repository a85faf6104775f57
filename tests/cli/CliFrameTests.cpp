// What pelmarectl sends: every report as --trace prints it, from the virtual mouse.
#include "cli/CliRun.h"
#include "cli/TapMacro.h"

#include <sstream>

namespace {

// One traced report: the direction mark and the given bytes, then zeros up to `length` bytes.
std::string Traced(char mark, std::string_view bytes, std::size_t length)
{
    std::string line = std::string(1, mark) + " " + std::string(bytes);
    for (std::size_t count = (bytes.size() + 1) / 3; count < length; ++count)
        line += " 00";
    return line;
}

std::string Sent(std::string_view bytes)
{
    return Traced('>', bytes, 65);
}

// The virtual mouse's answer to a frame: the command taken (status 0).
std::string Answer(std::string_view command)
{
    return Traced('<', "0C " + std::string(command) + " 00", 33);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The frames sent, without the answers.
std::vector<std::string> SentLines(const std::string& text)
{
    std::vector<std::string> sent;
    for (const std::string& line : Lines(text)) {
        if (line.starts_with("> "))
            sent.push_back(line);
    }
    return sent;
}

// The macro area of the tap macro: its index entry, then two event slots from byte 128 (A down at
// once, A up after 50 ms and last), 136 bytes in 27-byte chunks.
const std::vector<std::string> kTapAreaChunks = {
    Sent("0C 51 1B 00 00 80 00 02"),
    Sent("0C 51 1B 1B"),
    Sent("0C 51 1B 36"),
    Sent("0C 51 1B 51"),
    Sent("0C 51 1B 6C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 42 04 32 00 82"),
    Sent("0C 51 01 87 00 04"),
};

// An area without macros: 128 zero bytes in five chunks.
const std::vector<std::string> kEmptyAreaChunks = {Sent("0C 51 1B"), Sent("0C 51 1B 1B"), Sent("0C 51 1B 36"),
                                                   Sent("0C 51 1B 51"), Sent("0C 51 14 6C")};

using CliFrameTest = CliTest;

TEST_F(CliFrameTest, SetOfEachDpiLevelAndTheIndexSendsTheDpiFrame)
{
    struct Case {
        const char* key;
        const char* value;
        const char* frame;
    };
    // The default levels are 800, 1200, 2400, 3600, 4800, 12000 and 0, the index 2.
    const Case cases[] = {
        {"dpi_index", "5", "0C 63 10 00 00 06 05 20 03 B0 04 60 09 10 0E C0 12 E0 2E"},
        {"dpi_index", "258", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E"},
        {"dpi_group0_value", "26000", "0C 63 10 00 00 06 02 90 65 B0 04 60 09 10 0E C0 12 E0 2E"},
        {"dpi_group1_value", "50", "0C 63 10 00 00 06 02 20 03 32 00 60 09 10 0E C0 12 E0 2E"},
        {"dpi_group2_value", "49", "0C 63 10 00 00 06 02 20 03 B0 04 00 00 10 0E C0 12 E0 2E"},
        {"dpi_group3_value", "26001", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 00 00 C0 12 E0 2E"},
        {"dpi_group4_value", "1000", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E E8 03 E0 2E"},
        {"dpi_group5_value", "6400", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 00 19"},
        {"dpi_group6_value", "25600", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E 00 64"},
        {"dpi_count", "3", "0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E"},
    };
    for (const Case& c : cases) {
        const std::string before = Output({"get", c.key});
        EXPECT_EQ(Output({"--virtual-mouse", "--trace", "set", c.key, c.value}),
                  Sent(c.frame) + "\n" + Answer("63") + "\n")
            << c.key << " " << c.value;
        Output({"--virtual-mouse", "set", c.key, before.substr(0, before.size() - 1)});
    }
}

TEST_F(CliFrameTest, SetOfAPerformanceKeySendsThePerformanceFrame)
{
    EXPECT_EQ(Output({"--virtual-mouse", "--trace", "set", "report_rate", "3"}),
              Sent("0C 61 0B 00 00 03 03 03 0F 00 08 02 01 00 01") + "\n" + Answer("61") + "\n");
    EXPECT_EQ(Output({"--virtual-mouse", "--trace", "set", "liftoff_height", "2"}),
              Sent("0C 61 0B 00 00 03 03 03 0F 00 08 02 01 00 02") + "\n" + Answer("61") + "\n");
    // Keys the mouse never receives are only stored.
    EXPECT_EQ(Output({"--virtual-mouse", "--trace", "set", "mouse_speed", "12"}), "");
    EXPECT_EQ(Output({"--virtual-mouse", "--trace", "set", "dpi_group0_rgb", "255"}), "");
}

TEST_F(CliFrameTest, AssignOfEachTypeSendsItsButtonEntry)
{
    const std::string macroFile = Folder().Write("tap.xml", kTapMacroFile).string();
    ASSERT_EQ(Run({"macro-import", macroFile}).status, 0);
    struct Case {
        std::vector<std::string> assignment;
        const char* entry;
    };
    const std::vector<Case> cases = {
        {{"mouse", "4"}, "10 01 02 00"},
        {{"mouse", "10"}, "10 00 FF 00"},
        {{"key", "4", "2"}, "20 02 04 00"},
        {{"key", "225"}, "20 02 00 00"},
        {{"media", "2"}, "30 CD 00 00"},
        {{"macro", "1"}, "60 00 01 00"},
        {{"5", "7"}, "12 07 00 00"},
        {{"6", "300"}, "12 2C 00 00"},
        {{"7", "3"}, "08 03 00 00"},
        {{"8", "1030", "5", "9"}, "70 06 09 05"},
        {{"8", "65"}, "71 04 00 00"},
        {{"shortcut", "8"}, "20 04 2B 00"},
        {{"10", "1"}, "13 00 00 00"},
        {{"11", "1"}, "06 00 00 00"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"--virtual-mouse", "--trace", "assign", "0"};
        words.insert(words.end(), c.assignment.begin(), c.assignment.end());
        EXPECT_EQ(Output(words), Sent(std::string("0C 08 14 00 00 ") + c.entry +
                                      " 10 02 00 00 10 04 00 00 10 10 00 00 10 08") +
                                     "\n" + Answer("08") + "\n")
            << c.entry;
    }
    // Each button has its own entry; reset-button gives it back its built-in one.
    EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "assign", "3", "key", "5"})),
              std::vector{Sent("0C 08 14 00 00 06 00 00 00 10 02 00 00 10 04 00 00 20 00 05 00 10 08")});
    EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "reset-button", "0"})),
              std::vector{Sent("0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 20 00 05 00 10 08")});
}

TEST_F(CliFrameTest, MacroImportSendsTheMacroAreaInChunks)
{
    const std::string file = Folder().Write("tap.xml", kTapMacroFile).string();
    const std::string imported = Output({"--virtual-mouse", "--trace", "macro-import", file});
    ASSERT_TRUE(imported.starts_with("1 Tap A\n")) << imported;
    EXPECT_EQ(SentLines(imported), kTapAreaChunks);
    EXPECT_EQ(Lines(imported).size(), 1 + 2 * kTapAreaChunks.size());

    EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "send", "macros"})), kTapAreaChunks);
}

TEST_F(CliFrameTest, SendNamesEachGroupAndAllSendsTheWholeProfile)
{
    struct Case {
        const char* group;
        std::vector<std::string> frames;
    };
    const std::string dpi = Sent("0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E");
    // A new profile stores report_rate 0, which is no rate; the wireless choice (1) goes out.
    const std::string performance = Sent("0C 61 0B 00 00 01 01 01 0F 00 08 02 01 00 01");
    const std::string buttons = Sent("0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10 00 00 10 08");
    const std::string light = Sent("0C 21 0B 00 00 03");
    std::vector<std::string> all = {dpi, performance, light, buttons};
    all.insert(all.end(), kEmptyAreaChunks.begin(), kEmptyAreaChunks.end());
    const std::vector<Case> cases = {
        {"dpi", {dpi}},
        {"performance", {performance}},
        // Without lighting rows the light value is the one the window starts with.
        {"light", {light}},
        {"buttons", {buttons}},
        {"macros", kEmptyAreaChunks},
        {"reset", {Sent("0C 1F FF")}},
        {"all", all},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "send", c.group})), c.frames) << c.group;

    // Making a profile active sends all of it.
    EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "use", "2"})), all);
}

TEST_F(CliFrameTest, ChangesOfWholeProfilesAndMacroSlotsSendEverythingTheyMove)
{
    EXPECT_EQ(Output({"set", "dpi_index", "0", "--profile", "2"}), "");
    const std::string file = (Folder() / "profile.xml").string();
    EXPECT_EQ(Output({"export", file, "--profile", "2"}), "");
    const std::vector<std::string> imported = SentLines(Output({"--virtual-mouse", "--trace", "import", file}));
    ASSERT_EQ(imported.size(), 9u);
    EXPECT_EQ(imported[0], Sent("0C 63 10 00 00 06 00 20 03 B0 04 60 09 10 0E C0 12 E0 2E"));

    // Deleting a macro moves the later ones a slot up, so the buttons go out with the area.
    const std::string macroFile = Folder().Write("tap.xml", kTapMacroFile).string();
    ASSERT_EQ(Run({"macro-import", macroFile}).status, 0);
    std::vector<std::string> expected = kEmptyAreaChunks;
    expected.push_back(Sent("0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10 00 00 10 08"));
    EXPECT_EQ(SentLines(Output({"--virtual-mouse", "--trace", "macro-delete", "1"})), expected);
}

} // namespace
