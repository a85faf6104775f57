#include "app/shell/ShellPaths.h"

#include "common/TextConvert.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

TEST(ShellPaths, ExeFolderIsTheFolderOfTheRunningProgram)
{
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(GetExeFolder(), FromUtf8(exe.parent_path().string() + "/"));
}

TEST(ShellPaths, ProgramFolderIsTheShareFolderBesideTheExecutableFolder)
{
    // Test programs are built into <build>/bin, like the program itself.
    const fs::path expected = fs::weakly_canonical(fs::path(PELMARO_BINARY_DIR) / "share" / "pelmaro");
    EXPECT_EQ(GetProgramFolder(), FromUtf8(expected.string() + "/"));
}

TEST(ShellPaths, UserDataFolderFollowsXdgDataHome)
{
    TempHome home;
    EXPECT_EQ(GetUserDataFolder(L"Mouse X"), FromUtf8((home.DataHome() / "Mouse X Files/").string()));
    EXPECT_EQ(GetUserConfigFolder(), home.ConfigHome());
}

TEST(ShellPaths, UnsetOrRelativeXdgVariablesFallBackBelowHome)
{
    TempHome home;
    const fs::path homeFolder = home.Root() / "home";
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        SCOPED_TRACE(value ? value : "(unset)");
        if (value) {
            setenv("XDG_DATA_HOME", value, 1);
            setenv("XDG_CONFIG_HOME", value, 1);
        } else {
            unsetenv("XDG_DATA_HOME");
            unsetenv("XDG_CONFIG_HOME");
        }
        EXPECT_EQ(GetUserDataFolder(L"M"), FromUtf8((homeFolder / ".local/share/M Files/").string()));
        EXPECT_EQ(GetUserConfigFolder(), homeFolder / ".config");
    }
}

TEST(ShellPaths, DeviceNameBecomesOneSafeFileNameComponent)
{
    const struct {
        const wchar_t* name;
        const char* fileName;
    } cases[] = {
        {L"Pelmaro M1", "Pelmaro M1"}, {L"Мышь", "Мышь"}, {L"A/B", "A_B"},
        {L"../..", ".._.."},           {L"..", "_.."},     {L"", "_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeviceFileName(c.name), c.fileName) << ToUtf8(c.name);
}

TEST(ShellPaths, CreateFolderTreeCreatesEveryMissingLevel)
{
    TempFolder temp;
    const fs::path deep = temp / "a/b c/d";
    EXPECT_TRUE(CreateFolderTree(FromUtf8(deep.string())));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(CreateFolderTree(FromUtf8(deep.string())));

    WriteFile(temp / "file", "x");
    EXPECT_FALSE(CreateFolderTree(FromUtf8((temp / "file/sub").string())));
}

TEST(ShellPaths, DeleteFolderRemovesTheFolderWithItsContents)
{
    TempFolder temp;
    WriteFile(temp / "edit/one/two/file.txt", "data");
    EXPECT_TRUE(DeleteFolder(FromUtf8((temp / "edit").string())));
    EXPECT_FALSE(fs::exists(temp / "edit"));
}

TEST(ShellPaths, DeleteFolderRefusesWhatIsNotAnAbsoluteFolder)
{
    TempFolder temp;
    WriteFile(temp / "target/keep.txt", "keep");
    WriteFile(temp / "file.txt", "keep");
    fs::create_directory_symlink(temp / "target", temp / "link");

    const fs::path refused[] = {temp / "missing", temp / "file.txt", temp / "link", "relative/folder", "/", ""};
    for (const fs::path& path : refused)
        EXPECT_FALSE(DeleteFolder(FromUtf8(path.string()))) << path;
    EXPECT_EQ(ReadFile(temp / "target/keep.txt"), "keep");
    EXPECT_EQ(ReadFile(temp / "file.txt"), "keep");
    EXPECT_TRUE(fs::is_symlink(temp / "link"));
}
