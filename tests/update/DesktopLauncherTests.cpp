#include "update/DesktopLauncher.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The started programs report through a FIFO, so the test waits for them without sleeping.
std::string ReadReport(const fs::path& fifo)
{
    int descriptor = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    std::string report;
    pollfd wait{descriptor, POLLIN, 0};
    char buffer[256];
    while (descriptor >= 0 && poll(&wait, 1, 60000) > 0) {
        ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count > 0)
            report.append(buffer, static_cast<size_t>(count));
        if (count <= 0 || report.back() == '\n')
            break;
    }
    if (descriptor >= 0)
        close(descriptor);
    return report;
}

void WriteScript(const fs::path& path, const std::string& body)
{
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(path, static_cast<fs::perms>(0755));
}

TEST(DesktopLauncher, RunsExecutablesInTheirFolderAndOpensOtherFiles)
{
    TempFolder folder;
    const fs::path fifo = folder.Path() / "report";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(folder.Path() / "bin");
    fs::create_directories(folder.Path() / "temp");
    WriteScript(folder.Path() / "bin/xdg-open", "echo \"opened $1\" > '" + fifo.string() + "'");
    WriteScript(folder.Path() / "temp/zelvo-5.6.exe", "echo \"ran in $PWD\" > '" + fifo.string() + "'");
    std::ofstream(folder.Path() / "temp/Flintor-2.0.4.exe") << "not executable here";

    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", ((folder.Path() / "bin").string() + ":" + path).c_str(), 1);
    DesktopLauncher launcher;
    const fs::path temp = fs::canonical(folder.Path() / "temp");

    EXPECT_TRUE(launcher.Launch(temp / "zelvo-5.6.exe"));
    EXPECT_EQ(ReadReport(fifo), "ran in " + temp.string() + "\n");
    EXPECT_TRUE(launcher.Launch(temp / "Flintor-2.0.4.exe"));
    EXPECT_EQ(ReadReport(fifo), "opened " + (temp / "Flintor-2.0.4.exe").string() + "\n");
    EXPECT_FALSE(launcher.Launch(temp / "missing.exe"));
    EXPECT_FALSE(launcher.Launch(temp));
    setenv("PATH", path.c_str(), 1);
}

} // namespace
