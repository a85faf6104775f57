// The single-instance lock: the first holder wins, a second process sees it held, and the lock
// goes with its holder.
#include "vinto/platform/SingleInstanceLock.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using Vinto::SingleInstanceLock;

namespace {

class SingleInstanceLockTest : public ::testing::Test {
protected:
    // Whether a freshly forked process would count as the first instance.
    static bool FirstInOtherProcess(const std::wstring& name)
    {
        const pid_t child = fork();
        if (child == 0)
            _exit(SingleInstanceLock(name).IsFirst() ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    TempHome home;
    const std::string folder = home.RuntimeDir().string();
};

TEST_F(SingleInstanceLockTest, OnlyTheFirstHolderIsFirst)
{
    {
        SingleInstanceLock first(L"Pelmaro Test");
        EXPECT_TRUE(first.IsFirst());
        EXPECT_EQ(first.Path(), folder + "/Pelmaro Test.lock");
        EXPECT_FALSE(FirstInOtherProcess(L"Pelmaro Test"));
        EXPECT_FALSE(SingleInstanceLock(L"Pelmaro Test").IsFirst());
        EXPECT_TRUE(FirstInOtherProcess(L"Another Device"));
    }
    // Gone with its holder, even though the file stays.
    EXPECT_TRUE(std::filesystem::exists(folder + "/Pelmaro Test.lock"));
    EXPECT_TRUE(FirstInOtherProcess(L"Pelmaro Test"));
}

TEST_F(SingleInstanceLockTest, NamesBecomeSafeFileNames)
{
    const std::pair<std::wstring, std::string> cases[] = {
        {L"Pelmaro", "Pelmaro.lock"},
        {L"../../etc/passwd", "_.._.._etc_passwd.lock"},
        {L".hidden", "_.hidden.lock"},
        {L"", "_.lock"},
        {L"Мышь", "Мышь.lock"},
    };
    for (const auto& [name, file] : cases)
        EXPECT_EQ(SingleInstanceLock::FileNameFor(name), file);
}

TEST_F(SingleInstanceLockTest, AnUnusableRuntimeFolderNeverBlocksTheStart)
{
    setenv("XDG_RUNTIME_DIR", (folder + "/missing/deeper").c_str(), 1);
    SingleInstanceLock lock(L"Pelmaro Test");
    EXPECT_TRUE(lock.IsFirst());
    EXPECT_TRUE(SingleInstanceLock(L"Pelmaro Test").IsFirst());
}

} // namespace
