#include "update/PackageDownloader.h"

#include "HttpsTestServer.h"
#include "RecordingWindow.h"
#include "TestArchive.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

class PackageDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Running()); }

    void Serve(const std::string& name, const std::string& bytes)
    {
        std::ofstream(server_.Folder() / name, std::ios::binary) << bytes;
    }

    fs::path Target() const { return local_.Path() / "package.zip"; }

    HttpsTestServer server_;
    TempFolder local_;
    RecordingWindow window_;
    PackageDownloader downloader_{server_.Certificate()};
};

struct ProgressCase {
    const char* path;
    size_t size;
    std::vector<std::intptr_t> progress;
};

TEST_F(PackageDownloaderTest, PostsProgressPerBlockOfTheAnnouncedLength)
{
    const ProgressCase cases[] = {
        {"package.bin", 102400, {0, 2, 8, 10, 19, 28, 37, 46, 55, 64, 73, 82, 91, 100}},
        {"nolength/package.bin", 102400, {0, 2, 8, 10, 100}},
        {"package.bin", 5000, {0, 2, 8, 10, 100}},
        // Two announced blocks and a short third read: never more than 100.
        {"package.bin", 25000, {0, 2, 8, 10, 55, 100}},
        {"package.bin", 0, {0, 2, 8, 10, 100}},
    };
    std::ofstream(Target()) << "an older download";
    for (const ProgressCase& c : cases) {
        const std::string bytes = Pattern(c.size);
        Serve("package.bin", bytes);
        RecordingWindow window;

        EXPECT_EQ(downloader_.Download(server_.Url(c.path), Target(), &window), PackageDownloader::kDone)
            << c.path << " " << c.size;

        EXPECT_EQ(window.Progress(), c.progress) << c.path << " " << c.size;
        EXPECT_EQ(ReadFile(Target()), bytes) << c.path << " " << c.size;
        for (const PostedMessage& post : window.Posts())
            EXPECT_EQ(post.wParam, 0u);
    }
}

TEST_F(PackageDownloaderTest, AsksAsTheUpdaterWithoutCache)
{
    Serve("package.bin", "x");
    ASSERT_EQ(downloader_.Download(server_.Url("package.bin"), Target(), nullptr), PackageDownloader::kDone);

    std::string log = server_.RequestLog();
    for (const char* header :
         {"GET /package.bin", "User-Agent: PelmaroUpdate/5.5.0000", "Accept: */*", "Pragma: no-cache"})
        EXPECT_NE(log.find(header), std::string::npos) << header << " missing from\n" << log;
}

TEST_F(PackageDownloaderTest, StopFromAnotherThreadEndsAfterTheCurrentBlockAndLeavesNoFile)
{
    Serve("package.bin", Pattern(102400));
    std::thread stopper([this] {
        if (window_.WaitForPost({UpdateWindow::kProgressMessage, 0, 19}))
            downloader_.Stop();
    });

    int result = downloader_.Download(server_.Url("stall/package.bin"), Target(), &window_);
    stopper.join();

    EXPECT_EQ(result, PackageDownloader::kStopped);
    EXPECT_EQ(window_.Progress(), (std::vector<std::intptr_t>{0, 2, 8, 10, 19, 100}));
    EXPECT_FALSE(fs::exists(Target()));
}

struct FailureCase {
    const char* what;
    std::wstring url;
    bool trusted;
    std::uint64_t maxBytes;
};

TEST_F(PackageDownloaderTest, FailuresLeaveNoFileBehind)
{
    Serve("package.bin", Pattern(102400));
    const FailureCase cases[] = {
        {"refused connection", L"https://127.0.0.1:" + std::to_wstring(ClosedPort()) + L"/package.bin", true,
         UINT64_MAX},
        {"missing file", server_.Url("missing.zip"), true, UINT64_MAX},
        {"plain http", L"http" + server_.Url("package.bin").substr(5), true, UINT64_MAX},
        {"empty base address", L"//Zelvo-Driver-1.0.zip", true, UINT64_MAX},
        {"certificate not trusted", server_.Url("package.bin"), false, UINT64_MAX},
        {"longer than allowed", server_.Url("package.bin"), true, 50000},
        {"unannounced and longer than allowed", server_.Url("nolength/package.bin"), true, 50000},
    };
    for (const FailureCase& c : cases) {
        PackageDownloader downloader(c.trusted ? server_.Certificate() : fs::path("/nonexistent/ca.pem"));
        RecordingWindow window;

        EXPECT_EQ(downloader.Download(c.url, Target(), &window, c.maxBytes), PackageDownloader::kFailed) << c.what;

        EXPECT_FALSE(fs::exists(Target())) << c.what;
        std::vector<std::intptr_t> progress = window.Progress();
        EXPECT_GE(progress.size(), 2u) << c.what;
        EXPECT_EQ(std::count(progress.begin(), progress.end(), 100), 0) << c.what;
    }
    // Plain http and the untrusted certificate never get as far as a request.
    std::string log = server_.RequestLog();
    size_t first = log.find("GET /package.bin\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("GET /package.bin\n", first + 1), std::string::npos) << log;
}

} // namespace
