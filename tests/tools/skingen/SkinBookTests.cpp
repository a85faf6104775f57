#include "SkinBook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>

namespace {

std::map<std::string, std::string> ReadTree(const std::filesystem::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[std::filesystem::relative(entry.path(), root).string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

TEST(SkinBook, DrawsTheSameBytesEveryTime)
{
    // A build must not change the skin unless its sources changed.
    char pattern[] = "/tmp/skinbook-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path root = pattern;
    for (const char* run : {"a", "b"}) {
        for (const char* sub : {"device", "icon", "loading", "logo"}) {
            std::filesystem::create_directories(root / run / sub);
        }
        EXPECT_EQ(SkinBook::WriteAll((root / run).string()), "");
    }
    const auto first = ReadTree(root / "a");
    EXPECT_GT(first.size(), 60u);
    EXPECT_TRUE(first == ReadTree(root / "b"));
    std::filesystem::remove_all(root);
}

TEST(SkinBook, ReportsTheFileItCouldNotWrite)
{
    EXPECT_EQ(SkinBook::WriteAll("/nonexistent-folder-for-skinbook"), "main_bkg.png");
}

}  // namespace
