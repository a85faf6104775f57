#include "app/shell/ZenityFileDialogs.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using Kind = FileDialogRequest::Kind;
using Status = FileDialogAnswer::Status;
using Strings = std::vector<std::string>;

TEST(ZenityFileDialogs, CommandLineOfEachKind)
{
    const ZenityFileDialogs zenity("zenity");
    const std::vector<FileFilter> filters = {{L"Profile files", {L"*.xml", L"*.XML"}}, {L"All files", {L"*"}}};
    const struct {
        FileDialogRequest request;
        Strings command;
    } cases[] = {
        {{Kind::SaveFile, L"Export profile", L"Профиль 1.xml", "/home/u/Documents", filters},
         {"zenity", "--file-selection", "--title=Export profile", "--save", "--confirm-overwrite",
          "--filename=/home/u/Documents/Профиль 1.xml", "--file-filter=Profile files | *.xml *.XML",
          "--file-filter=All files | *"}},
        {{Kind::OpenFile, L"Import macro", L"", "", {{L"Macro files", {L"*.xml"}}}, 0x3a00007},
         {"zenity", "--file-selection", "--title=Import macro", "--attach=60817415",
          "--file-filter=Macro files | *.xml"}},
        {{Kind::ChooseFolder, L"Choose a folder", L"", "/tmp/start/", {}},
         {"zenity", "--file-selection", "--title=Choose a folder", "--directory", "--filename=/tmp/start/"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zenity.CommandLine(c.request), c.command);
}

TEST(ZenityFileDialogs, AnswerFollowsWhatTheProgramPrintsAndItsExitCode)
{
    TempFolder temp;
    const fs::path program = temp / "fake-zenity";
    const struct {
        const char* script;
        Status status;
        fs::path path;
    } cases[] = {
        {"echo '/home/u/My Profile.xml'; exit 0", Status::Chosen, "/home/u/My Profile.xml"},
        {"exit 1", Status::Cancelled, ""},
        {"echo 'Gtk-WARNING: cannot open display' >&2; exit 255", Status::Unavailable, ""},
        {"exit 0", Status::Unavailable, ""},
    };
    for (const auto& c : cases) {
        WriteFile(program, std::string("#!/bin/sh\n") + c.script + "\n");
        chmod(program.c_str(), 0700);
        const FileDialogAnswer answer = ZenityFileDialogs(program.string()).Ask({Kind::OpenFile, L"Open", L"", "", {}});
        EXPECT_EQ(answer.status, c.status) << c.script;
        EXPECT_EQ(answer.path, c.path) << c.script;
    }
}

TEST(ZenityFileDialogs, MissingProgramIsUnavailable)
{
    TempFolder temp;
    const FileDialogAnswer answer = ZenityFileDialogs((temp / "no-such-program").string()).Ask({});
    EXPECT_EQ(answer.status, Status::Unavailable);
}
