#include "update/AnswerUpdateOffer.h"
#include "update/UpdateManifest.h"

#include "RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

const std::string kDigest = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

std::string Element(const std::string& name, const std::string& version, const std::string& archive,
                    const std::string& size, const std::string& sha256)
{
    return "<" + name + " version=\"" + version + "\" archive=\"" + archive + "\" size=\"" + size +
           "\" sha256=\"" + sha256 + "\"/>";
}

TEST(UpdateManifest, ReadsBothOffersInEitherOrder)
{
    std::string upper = kDigest;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    const std::string driver = Element("driver", "5.6.0.0", "Zelvo-Driver-5.6.0.0.zip", "1048576", kDigest);
    const std::string firmware = Element("firmware", "2.0.4", "Flintor-2.0.4.zip", "524288", upper);
    for (const std::string& body : {driver + firmware, "<note/>" + firmware + "\n" + driver}) {
        std::optional<UpdateManifest> manifest =
            UpdateManifest::Parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<update>" + body + "</update>");

        ASSERT_TRUE(manifest) << body;
        EXPECT_EQ(manifest->Offer(PackageKind::DriverPackage),
                  (PackageOffer{L"5.6.0.0", L"Zelvo-Driver-5.6.0.0.zip", 1048576, kDigest}));
        EXPECT_EQ(manifest->Offer(PackageKind::FirmwareTool),
                  (PackageOffer{L"2.0.4", L"Flintor-2.0.4.zip", 524288, kDigest}));
    }
}

struct EntryCase {
    const char* what;
    std::string version, archive, size, sha256;
};

TEST(UpdateManifest, DropsAnOfferThatIsNotSound)
{
    const EntryCase cases[] = {
        {"archive named otherwise", "5.6", "setup.zip", "10", kDigest},
        {"archive of another version", "5.6", "Zelvo-Driver-5.7.zip", "10", kDigest},
        {"version with a path", "5.6/../../x", "Zelvo-Driver-5.6/../../x.zip", "10", kDigest},
        {"version with letters", "5.6b", "Zelvo-Driver-5.6b.zip", "10", kDigest},
        {"five version parts", "1.2.3.4.5", "Zelvo-Driver-1.2.3.4.5.zip", "10", kDigest},
        {"empty version", "", "Zelvo-Driver-.zip", "10", kDigest},
        {"empty part", "5..6", "Zelvo-Driver-5..6.zip", "10", kDigest},
        {"zero size", "5.6", "Zelvo-Driver-5.6.zip", "0", kDigest},
        {"negative size", "5.6", "Zelvo-Driver-5.6.zip", "-1", kDigest},
        {"size not a number", "5.6", "Zelvo-Driver-5.6.zip", "10k", kDigest},
        {"short checksum", "5.6", "Zelvo-Driver-5.6.zip", "10", kDigest.substr(1)},
        {"checksum not hex", "5.6", "Zelvo-Driver-5.6.zip", "10", "g" + kDigest.substr(1)},
    };
    for (const EntryCase& c : cases) {
        std::optional<UpdateManifest> manifest = UpdateManifest::Parse(
            "<update>" + Element("driver", c.version, c.archive, c.size, c.sha256) +
            Element("firmware", "2.0.4", "Flintor-2.0.4.zip", "10", kDigest) + "</update>");
        ASSERT_TRUE(manifest) << c.what;
        EXPECT_FALSE(manifest->driverPackage) << c.what;
        EXPECT_TRUE(manifest->firmwareTool) << c.what;
    }
}

TEST(UpdateManifest, RefusesWhatIsNotAManifest)
{
    for (const char* text : {"", "<html><body>Not found</body></html>", "<update><driver", "PK\x03\x04"})
        EXPECT_FALSE(UpdateManifest::Parse(text)) << text;
    std::optional<UpdateManifest> empty = UpdateManifest::Parse("<update/>");
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->driverPackage || empty->firmwareTool);
}

TEST(IsNewerVersion, ComparesNumberByNumber)
{
    const struct {
        const wchar_t* offered;
        const wchar_t* running;
        bool newer;
    } cases[] = {
        {L"5.6.0.0", L"5.5.0.0", true},  {L"2.0.10", L"2.0.9", true},   {L"2.0.3.1", L"2.0.3", true},
        {L"2.0.3.0", L"2.0.3", false},   {L"1.0", L"1.0.0.0", false},   {L"0.9", L"1.0", false},
        {L"10", L"9.9.9.9", true},       {L"1.0", L"", true},           {L"1.0", L"unknown", true},
        {L"x", L"1.0", false},           {L"", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.offered, c.running), c.newer) << c.offered << " vs " << c.running;
}

TEST(AnswerUpdateOffer, AsksAndQueuesTheTaskOfTheKind)
{
    const struct {
        std::uintptr_t kind;
        int answer;
        std::vector<Question> questions;
        std::vector<int> tasks;
    } cases[] = {
        {1, 1, {{L"<112>:v5.6.0.0, <114>", L"<108>", 4}}, {21}},
        {1, 0, {{L"<112>:v5.6.0.0, <114>", L"<108>", 4}}, {}},
        {2, 1, {{L"<112>:v5.6.0.0, <114>", L"<109>", 4}}, {22}},
        {2, 2, {{L"<112>:v5.6.0.0, <114>", L"<109>", 4}}, {}},
        {0, 1, {}, {}},
        {3, 1, {}, {}},
    };
    for (const auto& c : cases) {
        RecordingWindow window(c.answer);
        EXPECT_EQ(AnswerUpdateOffer(window, c.kind, L"5.6.0.0"), 1);
        EXPECT_EQ(window.questions, c.questions) << c.kind;
        EXPECT_EQ(window.tasks, c.tasks) << c.kind;
        EXPECT_TRUE(window.Posts().empty());
    }
}

} // namespace
