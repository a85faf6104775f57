#pragma once
// Runs the built pelmarectl as a user would, with its per-user data and settings folders inside a
// fresh temporary folder, and hands back its exit status and everything it printed.

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    std::filesystem::path DataFolder() const { return folder_ / "data"; }
    std::filesystem::path ConfigFolder() const { return folder_ / "config"; }
    const TempFolder& Folder() const { return folder_; }

    CliResult Run(const std::vector<std::string>& words) const
    {
        // The folders are the temporary ones and the session language is English, whoever runs the test.
        static constexpr std::string_view kReplaced[] = {"XDG_DATA_HOME=", "XDG_CONFIG_HOME=", "LANGUAGE=",
                                                         "LC_ALL=", "LC_MESSAGES=", "LANG="};
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) {
            const std::string_view variable = *entry;
            bool replaced = false;
            for (std::string_view name : kReplaced)
                replaced = replaced || variable.starts_with(name);
            if (!replaced)
                environment.emplace_back(variable);
        }
        environment.push_back("XDG_DATA_HOME=" + DataFolder().string());
        environment.push_back("XDG_CONFIG_HOME=" + ConfigFolder().string());
        environment.push_back("LANG=C.UTF-8");

        const std::string program = PELMARECTL_PATH;
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& word : words)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        const std::string outFile = (folder_ / "stdout").string();
        const std::string errFile = (folder_ / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t child = 0;
        const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        CliResult result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << program;
            return result;
        }
        int status = 0;
        waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(outFile);
        result.err = ReadFile(errFile);
        return result;
    }

    // Runs a command that must succeed without a word on stderr, and returns what it printed.
    std::string Output(const std::vector<std::string>& words) const
    {
        const CliResult result = Run(words);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

private:
    TempFolder folder_;
};
