#include "app/shell/LinkOpener.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Reads what arrives on a FIFO until its writer closes it, waiting at most `seconds` for each part.
std::string ReadFifo(const fs::path& fifo, int seconds)
{
    const int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    std::string text;
    pollfd wait{fd, POLLIN, 0};
    while (poll(&wait, 1, seconds * 1000) > 0) {
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return text;
}

} // namespace

TEST(LinkOpener, OnlyWebMailAndFileLinksAreOpened)
{
    const struct {
        const char* link;
        bool openable;
    } cases[] = {
        {"https://example.org/driver", true}, {"HTTP://example.org", true},  {"mailto:support@example.org", true},
        {"file:///home/u/manual.pdf", true},  {"", false},                   {"-n", false},
        {"--help", false},                    {"javascript:alert(1)", false}, {"ftp://example.org", false},
        {"/usr/bin/xterm", false},            {"https:", false},             {"https://", false},
        {"mailto:", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkOpener::IsOpenableLink(c.link), c.openable) << c.link;
}

TEST(LinkOpener, OpensTheLinkWithoutWaitingForTheOpener)
{
    TempFolder temp;
    const fs::path out = temp / "arguments";
    const fs::path release = temp / "release";
    ASSERT_EQ(mkfifo(out.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(release.c_str(), 0600), 0);
    // The opener reports its arguments, then stays until the test lets it go: Open returning while it
    // still runs shows that the caller is not held up.
    const fs::path program = temp / "fake-opener";
    WriteFile(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + out.string() + "'\nread line < '" + release.string() +
                           "'\n");
    chmod(program.c_str(), 0700);

    EXPECT_TRUE(LinkOpener(program.string()).Open(L"https://example.org/a b?x=1&y=2"));
    EXPECT_EQ(ReadFifo(out, 60), "https://example.org/a b?x=1&y=2\n");

    const int fd = open(release.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(write(fd, "\n", 1), 1);
    close(fd);
}

TEST(LinkOpener, RefusedLinksAndMissingOpenersReportFailure)
{
    TempFolder temp;
    EXPECT_FALSE(LinkOpener("/bin/true").Open(L"-x"));
    EXPECT_FALSE(LinkOpener("/bin/true").Open(L"https://example.org/\nsecond line"));
    EXPECT_FALSE(LinkOpener((temp / "missing").string()).Open(L"https://example.org"));
    EXPECT_TRUE(LinkOpener("/bin/true").Open(L"https://example.org"));
}
