#include "SkinBook.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

std::map<std::string, std::string> ReadTree(const std::filesystem::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).string()] = ReadFile(entry.path());
    }
    return files;
}

TEST(SkinBook, DrawsTheSameBytesEveryTime)
{
    // A build must not change the skin unless its sources changed.
    const TempFolder folder;
    const std::filesystem::path& root = folder.Path();
    for (const char* run : {"a", "b"}) {
        for (const char* sub : {"device", "icon", "loading", "logo"}) {
            std::filesystem::create_directories(root / run / sub);
        }
        EXPECT_EQ(SkinBook::WriteAll((root / run).string()), "");
    }
    const auto first = ReadTree(root / "a");
    EXPECT_GT(first.size(), 60u);
    EXPECT_TRUE(first == ReadTree(root / "b"));
}

TEST(SkinBook, ReportsTheFileItCouldNotWrite)
{
    EXPECT_EQ(SkinBook::WriteAll("/nonexistent-folder-for-skinbook"), "main_bkg.png");
}

}  // namespace
