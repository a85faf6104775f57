#include "update/UpdateChecker.h"

#include "common/TextConvert.h"

#include "HttpsTestServer.h"
#include "RecordingWindow.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kDigest(64, 'c');

class UpdateCheckerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Running()); }

    void PublishManifest(const std::string& driverVersion, const std::string& firmwareVersion)
    {
        std::ofstream(server_.Folder() / "update.xml", std::ios::trunc)
            << "<update><driver version=\"" << driverVersion << "\" archive=\"Zelvo-Driver-" << driverVersion
            << ".zip\" size=\"100\" sha256=\"" << kDigest << "\"/><firmware version=\"" << firmwareVersion
            << "\" archive=\"Flintor-" << firmwareVersion << ".zip\" size=\"100\" sha256=\"" << kDigest
            << "\"/></update>";
    }

    UpdateChecker Checker()
    {
        return UpdateChecker({server_.Url("updates/"), server_.Certificate()}, Stamp(), L"5.5.0.0", L"2.0.3.0",
                             window_);
    }

    fs::path Stamp() const { return userData_.Path() / "update-check"; }

    size_t ManifestReads() const
    {
        std::string log = server_.RequestLog();
        size_t count = 0;
        for (size_t at = log.find("GET /updates/update.xml"); at != std::string::npos;
             at = log.find("GET /updates/update.xml", at + 1))
            ++count;
        return count;
    }

    static PostedMessage Offer(PackageKind kind)
    {
        return {UpdateWindow::kUpdateOfferMessage, static_cast<std::uintptr_t>(kind), 0};
    }

    HttpsTestServer server_;
    TempFolder userData_;
    RecordingWindow window_;
    const std::chrono::system_clock::time_point now_{std::chrono::sys_days{std::chrono::December / 11 / 2026}};
};

TEST_F(UpdateCheckerTest, OffersOnlyWhatIsNewerThanTheVersionInUse)
{
    const struct {
        const char* driver;
        const char* firmware;
        std::vector<PostedMessage> posts;
    } cases[] = {
        {"5.6.0.0", "2.0.3.0", {Offer(PackageKind::DriverPackage)}},
        {"5.5.0.0", "2.0.4", {Offer(PackageKind::FirmwareTool)}},
        {"5.6", "2.1", {Offer(PackageKind::DriverPackage), Offer(PackageKind::FirmwareTool)}},
        {"5.4.9.9", "2.0.2.9", {}},
    };
    for (const auto& c : cases) {
        PublishManifest(c.driver, c.firmware);
        fs::remove(Stamp());
        RecordingWindow window;
        UpdateChecker checker({server_.Url("updates"), server_.Certificate()}, Stamp(), L"5.5.0.0", L"2.0.3.0",
                              window);

        EXPECT_EQ(checker.CheckNow(now_), UpdateChecker::Outcome::Checked) << c.driver;

        EXPECT_EQ(window.Posts(), c.posts) << c.driver << " " << c.firmware;
        EXPECT_EQ(checker.OfferedVersion(PackageKind::DriverPackage), FromUtf8(c.driver));
        EXPECT_EQ(checker.OfferedVersion(PackageKind::FirmwareTool), FromUtf8(c.firmware));
    }
}

TEST_F(UpdateCheckerTest, ReadsTheManifestAtMostOnceADay)
{
    PublishManifest("5.6.0.0", "2.0.3.0");
    const struct {
        std::chrono::system_clock::duration after;
        UpdateChecker::Outcome outcome;
    } steps[] = {
        {0h, UpdateChecker::Outcome::Checked},
        {1h, UpdateChecker::Outcome::Skipped},
        {23h + 59min, UpdateChecker::Outcome::Skipped},
        {24h, UpdateChecker::Outcome::Checked},
        {30h, UpdateChecker::Outcome::Skipped},
        // The clock was set back behind the last read.
        {-2h, UpdateChecker::Outcome::Checked},
    };
    size_t reads = 0;
    for (const auto& step : steps) {
        EXPECT_EQ(Checker().CheckNow(now_ + step.after), step.outcome)
            << std::chrono::duration_cast<std::chrono::minutes>(step.after).count();
        reads += step.outcome == UpdateChecker::Outcome::Checked;
        EXPECT_EQ(ManifestReads(), reads);
    }
}

TEST_F(UpdateCheckerTest, AFailedReadOffersNothingAndTriesAgainNextTime)
{
    EXPECT_EQ(Checker().CheckNow(now_), UpdateChecker::Outcome::Failed);
    std::ofstream(server_.Folder() / "update.xml") << "<html>maintenance</html>";
    EXPECT_EQ(Checker().CheckNow(now_), UpdateChecker::Outcome::Failed);
    PublishManifest("5.6.0.0", "2.0.3.0");
    EXPECT_TRUE(window_.Posts().empty());
    EXPECT_FALSE(fs::exists(Stamp()));

    EXPECT_EQ(Checker().CheckNow(now_), UpdateChecker::Outcome::Checked);
    EXPECT_EQ(window_.Posts(), std::vector<PostedMessage>{Offer(PackageKind::DriverPackage)});
}

TEST_F(UpdateCheckerTest, StartChecksInTheBackground)
{
    PublishManifest("5.6.0.0", "2.0.4.0");
    UpdateChecker checker = Checker();
    checker.Start();

    EXPECT_TRUE(window_.WaitForPost(Offer(PackageKind::FirmwareTool)));
    EXPECT_EQ(checker.OfferedVersion(PackageKind::FirmwareTool), L"2.0.4.0");
}

} // namespace
