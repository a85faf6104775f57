#include "update/InstallerLauncher.h"
#include "update/PackageInstaller.h"
#include "update/Sha256OfFile.h"

#include "HttpsTestServer.h"
#include "RecordingWindow.h"
#include "TestArchive.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

class RecordingLauncher : public InstallerLauncher {
public:
    bool Launch(const fs::path& installer) override
    {
        launched.push_back(installer);
        return succeeds;
    }
    std::vector<fs::path> launched;
    bool succeeds = true;
};

TEST(Sha256OfFile, GivesTheKnownDigests)
{
    TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    };
    for (const auto& [content, digest] : cases) {
        std::ofstream(folder.Path() / "file", std::ios::trunc) << content;
        EXPECT_EQ(Sha256OfFile(folder.Path() / "file"), digest) << content;
    }
    EXPECT_EQ(Sha256OfFile(folder.Path() / "missing"), "");
}

class PackageInstallerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Running()); }

    // Serves the archive and a manifest entry for it; sizeChange and digest let a test publish a
    // manifest that does not match the archive.
    void Publish(const char* element, const std::string& version, const std::string& archiveName,
                 const std::vector<TestEntry>& entries, long sizeChange = 0, std::string digest = {})
    {
        fs::path archive = server_.Folder() / archiveName;
        ASSERT_TRUE(WriteTestArchive(archive, entries));
        if (digest.empty())
            digest = Sha256OfFile(archive);
        manifest_ += "<" + std::string(element) + " version=\"" + version + "\" archive=\"" + archiveName +
                     "\" size=\"" + std::to_string(fs::file_size(archive) + sizeChange) + "\" sha256=\"" +
                     digest + "\"/>\n";
        std::ofstream(server_.Folder() / "update.xml", std::ios::trunc) << "<update>\n" << manifest_ << "</update>\n";
    }

    PackageInstaller Installer()
    {
        return PackageInstaller({server_.Url(""), server_.Certificate()}, userData_.Path(), window_, launcher_);
    }

    fs::path Temp() const { return userData_.Path() / "temp"; }

    HttpsTestServer server_;
    TempFolder userData_;
    RecordingWindow window_;
    RecordingLauncher launcher_;
    std::string manifest_;
};

struct InstallerCase {
    std::vector<std::string> files;
    const char* started;
};

TEST_F(PackageInstallerTest, DriverPackageStartsThePreferredInstallerAndEndsTheProgram)
{
    const InstallerCase cases[] = {
        {{"readme.txt", "Zelvo-Driver-5.6.0.0.exe", "zelvo-5.6.0.0.exe"}, "zelvo-5.6.0.0.exe"},
        {{"readme.txt", "Zelvo-Driver-5.6.0.0.exe"}, "Zelvo-Driver-5.6.0.0.exe"},
    };
    for (const InstallerCase& c : cases) {
        std::vector<TestEntry> entries;
        for (const std::string& file : c.files)
            entries.push_back({file, "content of " + file});
        manifest_.clear();
        Publish("driver", "5.6.0.0", "Zelvo-Driver-5.6.0.0.zip", entries);
        RecordingLauncher launcher;
        RecordingWindow window;
        PackageInstaller installer({server_.Url(""), server_.Certificate()}, userData_.Path(), window, launcher);

        installer.DownloadDriverPackage();

        EXPECT_EQ(launcher.launched, std::vector<fs::path>{Temp() / c.started});
        EXPECT_TRUE(window.ended);
        EXPECT_EQ(window.Progress().back(), 100);
        EXPECT_FALSE(fs::exists(Temp() / "Zelvo-Driver-5.6.0.0.zip")) << "archive removed once unpacked";
        for (const std::string& file : c.files)
            EXPECT_EQ(ReadFile(Temp() / file), "content of " + file);
        fs::remove_all(Temp());
    }
}

TEST_F(PackageInstallerTest, FirmwareToolIsStartedOnlyFromTheVerifiedArchive)
{
    Publish("firmware", "2.0.4.0", "Flintor-2.0.4.0.zip", {{"Flintor-2.0.4.0.exe", "tool"}});

    Installer().DownloadFirmwareTool();

    EXPECT_EQ(launcher_.launched, std::vector<fs::path>{Temp() / "Flintor-2.0.4.0.exe"});
    EXPECT_TRUE(window_.ended);
    EXPECT_EQ(server_.RequestLog().find("Zelvo"), std::string::npos);
}

TEST_F(PackageInstallerTest, ToolLeftFromAnEarlierRunIsNotStarted)
{
    Publish("firmware", "2.0.4.0", "Flintor-2.0.4.0.zip", {{"notes.txt", "no tool in here"}});
    fs::create_directories(Temp());
    std::ofstream(Temp() / "Flintor-2.0.4.0.exe") << "stale";

    Installer().DownloadFirmwareTool();

    EXPECT_EQ(ReadFile(Temp() / "notes.txt"), "no tool in here");
    EXPECT_TRUE(launcher_.launched.empty());
    EXPECT_FALSE(window_.ended);
}

struct MismatchCase {
    const char* what;
    long sizeChange;
    std::string digest;
};

TEST_F(PackageInstallerTest, ArchiveThatDoesNotMatchTheManifestIsNeitherUnpackedNorStarted)
{
    const MismatchCase cases[] = {
        {"wrong checksum", 0, std::string(64, 'a')},
        {"announced larger", 1, ""},
        {"announced smaller", -1, ""},
    };
    for (const MismatchCase& c : cases) {
        manifest_.clear();
        Publish("driver", "5.6.0.0", "Zelvo-Driver-5.6.0.0.zip", {{"zelvo-5.6.0.0.exe", "installer"}}, c.sizeChange,
                c.digest);

        Installer().DownloadDriverPackage();

        EXPECT_TRUE(launcher_.launched.empty()) << c.what;
        EXPECT_FALSE(window_.ended) << c.what;
        EXPECT_EQ(ListTree(Temp()), std::vector<std::string>{}) << c.what;
    }
}

TEST_F(PackageInstallerTest, NothingIsFetchedWithoutAnOfferOrAnAddress)
{
    Installer().DownloadDriverPackage(); // no manifest at all
    Publish("firmware", "2.0.4.0", "Flintor-2.0.4.0.zip", {{"Flintor-2.0.4.0.exe", "tool"}});
    Installer().DownloadDriverPackage(); // a manifest that offers only the firmware tool
    PackageInstaller({L"", server_.Certificate()}, userData_.Path(), window_, launcher_).DownloadFirmwareTool();

    EXPECT_TRUE(launcher_.launched.empty());
    EXPECT_FALSE(window_.ended);
    std::string log = server_.RequestLog();
    EXPECT_EQ(log.find(".zip"), std::string::npos) << log;
}

TEST_F(PackageInstallerTest, ProgramKeepsRunningWhenTheInstallerCannotBeStarted)
{
    Publish("driver", "5.6.0.0", "Zelvo-Driver-5.6.0.0.zip", {{"zelvo-5.6.0.0.exe", "installer"}});
    launcher_.succeeds = false;

    Installer().DownloadDriverPackage();

    EXPECT_EQ(launcher_.launched.size(), 1u);
    EXPECT_FALSE(window_.ended);
}

} // namespace
