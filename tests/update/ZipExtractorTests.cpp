#include "update/CleanEntryName.h"
#include "update/ZipExtractor.h"

#include "TestArchive.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct NameCase {
    const char* stored;
    const char* expected; // nullptr: refused
};

TEST(CleanEntryName, CleansWindowsPrefixesAndRefusesWhatLeavesTheFolder)
{
    const NameCase cases[] = {
        {"a.txt", "a.txt"},
        {"dir\\sub/file.bin", "dir/sub/file.bin"},
        {"..\\..\\a.exe", "a.exe"},
        {"C:\\x\\y.txt", "x/y.txt"},
        {"c:/a/b\\..\\c", "c"},
        {"x/../y", "y"},
        {"a/./b//c", "a/b/c"},
        {"dir/", "dir"},
        {"../a", nullptr},
        {"..\\a", nullptr},
        {"C:../x", nullptr},
        {"/etc/x", nullptr},
        {"\\etc\\x", nullptr},
        {"a/..", nullptr},
        {"ok/../../up.txt", nullptr},
        {"..", nullptr},
        {"C:", nullptr},
        {"./", nullptr},
        {"", nullptr},
    };
    for (const NameCase& c : cases) {
        std::optional<fs::path> cleaned = CleanEntryName(c.stored);
        if (c.expected) {
            ASSERT_TRUE(cleaned) << c.stored;
            EXPECT_EQ(*cleaned, fs::path(c.expected)) << c.stored;
        } else {
            EXPECT_FALSE(cleaned) << c.stored << " gave " << cleaned->string();
        }
    }
}

class ZipExtractorTest : public ::testing::Test {
protected:
    // The archive lives beside the extraction folder so that a write outside the folder shows up
    // in the parent's listing.
    fs::path Archive() const { return scratch_.Path() / "package.zip"; }
    fs::path Folder() const { return scratch_.Path() / "temp"; }

    void Write(const std::vector<TestEntry>& entries) { ASSERT_TRUE(WriteTestArchive(Archive(), entries)); }

    // Everything under the scratch folder that is not the archive.
    std::vector<std::string> Landed() const
    {
        std::vector<std::string> names = ListTree(scratch_.Path());
        std::erase(names, "package.zip");
        return names;
    }

    TempFolder scratch_;
};

TEST_F(ZipExtractorTest, UnpacksStoredAndDeflatedEntriesInOrderAndReplacesFiles)
{
    Write({{"readme.txt", "stored text", false},
           {"bin/", "", false},
           {"bin\\tool.exe", std::string(30000, 'x') + "end", true},
           {"docs/deep/note.txt", "deflated note", true}});
    fs::create_directories(Folder());
    std::ofstream(Folder() / "readme.txt") << "an older and longer readme";

    ZipExtractor extractor;
    ASSERT_EQ(extractor.Extract(Archive(), Folder()), ZipExtractor::Result::Unpacked);

    EXPECT_EQ(extractor.WrittenFiles(),
              (std::vector<fs::path>{"readme.txt", "bin/tool.exe", "docs/deep/note.txt"}));
    EXPECT_EQ(ReadFile(Folder() / "readme.txt"), "stored text");
    EXPECT_EQ(ReadFile(Folder() / "bin/tool.exe"), std::string(30000, 'x') + "end");
    EXPECT_EQ(ReadFile(Folder() / "docs/deep/note.txt"), "deflated note");
    EXPECT_EQ(Landed(), (std::vector<std::string>{"temp/bin/tool.exe", "temp/docs/deep/note.txt",
                                                  "temp/readme.txt"}));
}

TEST_F(ZipExtractorTest, HostileNamesAndLinksNeverLeaveTheFolder)
{
    Write({{"..\\..\\a.exe", "a"},
           {"../a", "climbs"},
           {"/etc/x", "absolute"},
           {"C:\\x\\y.txt", "y"},
           {"link", "/etc/passwd", false, S_IFLNK | 0777},
           {"dirlink", "..", false, S_IFLNK | 0777},
           {"dirlink/escaped.txt", "through a link"},
           {"ok/../../up.txt", "up"}});

    ZipExtractor extractor;
    ASSERT_EQ(extractor.Extract(Archive(), Folder()), ZipExtractor::Result::Unpacked);

    EXPECT_EQ(ReadFile(Folder() / "a.exe"), "a");
    EXPECT_EQ(ReadFile(Folder() / "x/y.txt"), "y");
    EXPECT_EQ(ReadFile(Folder() / "dirlink/escaped.txt"), "through a link");
    EXPECT_EQ(Landed(), (std::vector<std::string>{"temp/a.exe", "temp/dirlink/escaped.txt",
                                                  "temp/x/y.txt"}));
}

TEST_F(ZipExtractorTest, ALinkAlreadyInTheFolderIsNotFollowedOut)
{
    fs::create_directories(Folder());
    fs::create_directories(scratch_.Path() / "outside");
    fs::create_directory_symlink("../outside", Folder() / "out");
    std::ofstream(scratch_.Path() / "outside/kept.txt") << "kept";
    fs::create_symlink("../outside/kept.txt", Folder() / "replaced.txt");
    Write({{"out/evil.txt", "evil"}, {"out/new/evil.txt", "evil"}, {"replaced.txt", "new"}});

    ZipExtractor extractor;
    ASSERT_EQ(extractor.Extract(Archive(), Folder()), ZipExtractor::Result::Unpacked);

    EXPECT_EQ(extractor.WrittenFiles(), std::vector<fs::path>{"replaced.txt"});
    EXPECT_FALSE(fs::is_symlink(Folder() / "replaced.txt"));
    EXPECT_EQ(ReadFile(Folder() / "replaced.txt"), "new");
    EXPECT_EQ(ListTree(scratch_.Path() / "outside"), std::vector<std::string>{"kept.txt"});
    EXPECT_EQ(ReadFile(scratch_.Path() / "outside/kept.txt"), "kept");
}

TEST_F(ZipExtractorTest, StopsAtTheSizeBoundAndLeavesNoPartialFile)
{
    Write({{"first.txt", "small"}, {"bomb.bin", std::string(16 << 20, '\0')}, {"after.txt", "never"}});

    ZipExtractor extractor(1 << 20);
    EXPECT_EQ(extractor.Extract(Archive(), Folder()), ZipExtractor::Result::TooLarge);

    EXPECT_LT(fs::file_size(Archive()), 64u << 10);
    EXPECT_EQ(Landed(), std::vector<std::string>{"temp/first.txt"});
}

TEST_F(ZipExtractorTest, EntryWithABadChecksumIsSkipped)
{
    Write({{"good.txt", "GOOD CONTENT", false}, {"bad.txt", "DAMAGED CONTENT", false}});
    std::string bytes = ReadFile(Archive());
    bytes[bytes.find("DAMAGED")] = 'd';
    std::ofstream(Archive(), std::ios::binary | std::ios::trunc) << bytes;

    ZipExtractor extractor;
    EXPECT_EQ(extractor.Extract(Archive(), Folder()), ZipExtractor::Result::Unpacked);

    EXPECT_EQ(Landed(), std::vector<std::string>{"temp/good.txt"});
}

TEST_F(ZipExtractorTest, KeepsTheEntryTimeAndOnlySafePermissions)
{
    Write({{"tool", "#!/bin/sh\n", true, S_IFREG | 06777}, {"plain.txt", "text"}});

    ASSERT_TRUE(UnzipToFolder(Archive(), Folder()));

    EXPECT_EQ(fs::status(Folder() / "tool").permissions(), static_cast<fs::perms>(0755));
    EXPECT_EQ(fs::status(Folder() / "plain.txt").permissions(), static_cast<fs::perms>(0644));
    std::tm written{};
    written.tm_year = 120, written.tm_mon = 4, written.tm_mday = 17;
    written.tm_hour = 10, written.tm_min = 20, written.tm_sec = 30, written.tm_isdst = -1;
    struct stat info {};
    ASSERT_EQ(stat((Folder() / "plain.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, std::mktime(&written));
}

TEST_F(ZipExtractorTest, WhatIsNotAnArchiveIsRefused)
{
    std::ofstream(Archive()) << "<html>404 Not Found</html>";
    EXPECT_FALSE(UnzipToFolder(Archive(), Folder()));
    EXPECT_FALSE(UnzipToFolder(scratch_.Path() / "missing.zip", Folder()));
    EXPECT_EQ(Landed(), std::vector<std::string>{});
}

} // namespace
