#include "app/shell/LogFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Matches(const std::string& text, const char* pattern)
{
    return g_regex_match_simple(pattern, text.c_str(), G_REGEX_ANCHORED, G_REGEX_MATCH_NOTEMPTY);
}

// The line after its "[MM-DD hh:mm:ss.mmm]" time stamp, or "(no stamp)" when it does not start with one.
std::string AfterStamp(const std::string& line)
{
    const std::size_t stampLength = 20;
    if (!Matches(line.substr(0, stampLength), R"(^\[\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\]$)"))
        return "(no stamp)";
    return line.substr(stampLength);
}

std::vector<std::string> Lines(const fs::path& file)
{
    std::istringstream in(ReadFile(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class LogFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    fs::path folder = temp / "data/Mouse X Files/log";
    LogFile log;
};

} // namespace

TEST_F(LogFileTest, OpenCreatesTheFolderAndAFileNamedAfterTheTime)
{
    ASSERT_TRUE(log.Open(folder));
    EXPECT_TRUE(log.IsOpen());
    EXPECT_EQ(log.FilePath().parent_path(), folder);
    EXPECT_TRUE(Matches(log.FilePath().filename().string(), R"(^Quarnel_20\d{6}_\d{6}\.log$)"));
    EXPECT_TRUE(fs::is_regular_file(log.FilePath()));
}

TEST_F(LogFileTest, LinesCarryTimeAndLevelNameAndLevelsBelowInfoAreDropped)
{
    ASSERT_TRUE(log.Open(folder));
    for (int level = LogFile::kTrace; level <= LogFile::kFatal; ++level)
        log.Write(level, "level %d: %s", level, "text");
    log.Write(9, "beyond the table");

    const std::vector<std::string> lines = Lines(log.FilePath());
    const std::string expected[] = {"[Info ]level 2: text", "[Warn ]level 3: text", "[Error]level 4: text",
                                    "[Fatal]level 5: text", "[Fatal]beyond the table"};
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(AfterStamp(lines[i]), expected[i]);
}

TEST_F(LogFileTest, LongMessagesAreCutToTheLineLimitOnACharacterBoundary)
{
    ASSERT_TRUE(log.Open(folder));
    const std::string ascii(400, 'a');
    std::string chinese;
    for (int i = 0; i < 100; ++i)
        chinese += "设备";
    log.Write(LogFile::kInfo, "%s", ascii.c_str());
    log.Write(LogFile::kInfo, "%s", chinese.c_str());
    log.Write(LogFile::kInfo, "after");

    const std::vector<std::string> lines = Lines(log.FilePath());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), LogFile::kMaxLineBytes);
    EXPECT_LE(lines[1].size(), LogFile::kMaxLineBytes);
    EXPECT_GT(lines[1].size(), LogFile::kMaxLineBytes - 3);
    EXPECT_TRUE(g_utf8_validate(lines[1].data(), static_cast<gssize>(lines[1].size()), nullptr));
    EXPECT_TRUE(lines[2].ends_with("[Info ]after"));
}

TEST_F(LogFileTest, ConcurrentWritersNeverInterleaveLines)
{
    ASSERT_TRUE(log.Open(folder));
    constexpr int kWriters = 4;
    constexpr int kLinesEach = 200;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([this, w] {
            for (int i = 0; i < kLinesEach; ++i)
                log.Write(LogFile::kInfo, "writer %d line %03d %s", w, i, std::string(100, 'a' + w).c_str());
        });
    }
    for (std::thread& writer : writers)
        writer.join();

    std::set<std::pair<int, int>> seen;
    for (const std::string& text : Lines(log.FilePath())) {
        const std::string message = AfterStamp(text);
        int w = -1;
        int i = -1;
        ASSERT_EQ(std::sscanf(message.c_str(), "[Info ]writer %d line %d", &w, &i), 2) << text;
        char expected[160];
        std::snprintf(expected, sizeof expected, "[Info ]writer %d line %03d %s", w, i,
                      std::string(100, 'a' + w).c_str());
        ASSERT_EQ(message, expected);
        seen.insert({w, i});
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kWriters * kLinesEach));
}

TEST_F(LogFileTest, OpeningKeepsTheNewestLogsAndLeavesOtherFilesAlone)
{
    for (int day = 1; day <= 25; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "Quarnel_202001%02d_120000.log", day);
        WriteFile(folder / name, "old\n");
    }
    WriteFile(folder / "notes.txt", "mine");
    WriteFile(folder / "Quarnel_backup.log", "mine");

    ASSERT_TRUE(log.Open(folder));
    const std::set<std::string> names = FileNames(folder);
    EXPECT_EQ(names.size(), LogFile::kKeptFiles + 2);
    EXPECT_TRUE(names.contains(log.FilePath().filename().string()));
    EXPECT_TRUE(names.contains("notes.txt"));
    EXPECT_TRUE(names.contains("Quarnel_backup.log"));
    EXPECT_FALSE(names.contains("Quarnel_20200106_120000.log"));
    EXPECT_TRUE(names.contains("Quarnel_20200107_120000.log"));
}

TEST_F(LogFileTest, WritesWhileClosedGoNowhere)
{
    log.Write(LogFile::kError, "before opening");
    ASSERT_TRUE(log.Open(folder));
    log.Write(LogFile::kInfo, "kept");
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    log.Write(LogFile::kError, "after closing");
    const std::vector<std::string> lines = Lines(log.FilePath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("kept"));
}

TEST_F(LogFileTest, FolderThatCannotBeCreatedLeavesTheLogClosed)
{
    WriteFile(temp / "blocker", "a file");
    EXPECT_FALSE(log.Open(temp / "blocker/log"));
    EXPECT_FALSE(log.IsOpen());
}

TEST_F(LogFileTest, ProcessLogIsReachedThroughTheFreeFunctions)
{
    ASSERT_TRUE(LogOpen(folder));
    LogWrite(LogFile::kInfo, "SetForegroundWindow");
    LogClose();
    const std::vector<std::string> lines = Lines(LogFile::Process().FilePath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("[Info ]SetForegroundWindow"));
}
