// The shared helpers clean up after themselves: a suite that leaves files or a changed environment
// behind would make later suites pass or fail by accident.
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(TempFolder, IsFreshPrivateAndGoneWithEverythingInIt)
{
    fs::path kept;
    {
        const TempFolder folder;
        const TempFolder other;
        kept = folder.Path();
        EXPECT_NE(folder.Path(), other.Path());
        EXPECT_TRUE(fs::is_empty(folder.Path()));
        EXPECT_EQ(fs::status(folder.Path()).permissions() & fs::perms::all, fs::perms::owner_all);

        const fs::path file = folder.Write("a/b/c.bin", std::string("x\0y", 3));
        EXPECT_EQ(file, folder / "a/b/c.bin");
        EXPECT_EQ(ReadFile(file), std::string("x\0y", 3));
        // Even a folder whose owner took away its own rights goes.
        fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(FileBytes, WriteReplacesTheWholeFileAndReadOfAMissingFileIsEmpty)
{
    const TempFolder folder;
    WriteFile(folder / "f", "a longer first text");
    WriteFile(folder / "f", "short");
    EXPECT_EQ(ReadFile(folder / "f"), "short");
    EXPECT_EQ(ReadFile(folder / "missing"), "");
}

TEST(TempHome, PointsTheHomeFoldersInsideAndRestoresThemAfterwards)
{
    setenv("XDG_CONFIG_HOME", "/before/config", 1);
    unsetenv("XDG_DATA_HOME");
    {
        const TempHome home;
        EXPECT_EQ(fs::path(std::getenv("XDG_CONFIG_HOME")), home.ConfigHome());
        EXPECT_EQ(fs::path(std::getenv("XDG_DATA_HOME")), home.DataHome());
        EXPECT_EQ(fs::path(std::getenv("XDG_RUNTIME_DIR")), home.RuntimeDir());
        EXPECT_EQ(fs::path(std::getenv("HOME")), home.Root() / "home");
        EXPECT_TRUE(fs::is_directory(home.DataHome()));
    }
    EXPECT_STREQ(std::getenv("XDG_CONFIG_HOME"), "/before/config");
    EXPECT_EQ(std::getenv("XDG_DATA_HOME"), nullptr);
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
