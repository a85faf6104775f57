#include "packaging/UdevAccessRule.h"

#include "device/TestModes.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <sys/wait.h>

namespace {

constexpr int kCable = 0;
constexpr int kReceiver = 1;
constexpr int kBluetooth = 2;

DeviceModel NamedMode(const wchar_t* name, const wchar_t* desc, int modeValue, int vid, int pid)
{
    DeviceModel mode = TestMode(101, modeValue, vid, pid);
    mode.name = name;
    mode.desc = desc;
    return mode;
}

TEST(UdevAccessRule, OneLinePerIdentityInCatalogueOrder)
{
    struct Case {
        const char* name;
        std::vector<DeviceModel> modes;
        std::string text;
    };
    const Case cases[] = {
        {"USB ids in lower case, the Bluetooth bus name in upper case",
         {TestMode(101, kCable, 0x1A2B, 0x0C4D), TestMode(101, kReceiver, 0x1A2B, 0x0C4E),
          TestMode(101, kBluetooth, 0x1A2B, 0x0C4F)},
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1a2b\", ATTRS{idProduct}==\"0c4d\", TAG+=\"uaccess\"\n"
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1a2b\", ATTRS{idProduct}==\"0c4e\", TAG+=\"uaccess\"\n"
         "KERNEL==\"hidraw*\", KERNELS==\"0005:1A2B:0C4F.*\", TAG+=\"uaccess\"\n"},
        {"two models sharing a receiver give it one line",
         {TestMode(101, kReceiver, 0x1209, 0x0002), TestMode(102, kCable, 0x1209, 0x0005),
          TestMode(102, kReceiver, 0x1209, 0x0002)},
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1209\", ATTRS{idProduct}==\"0002\", TAG+=\"uaccess\"\n"
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1209\", ATTRS{idProduct}==\"0005\", TAG+=\"uaccess\"\n"},
        {"the same ids by cable and by Bluetooth are two identities",
         {TestMode(101, kCable, 0xFFFF, 0x0001), TestMode(101, kBluetooth, 0xFFFF, 0x0001)},
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"ffff\", ATTRS{idProduct}==\"0001\", TAG+=\"uaccess\"\n"
         "KERNEL==\"hidraw*\", KERNELS==\"0005:FFFF:0001.*\", TAG+=\"uaccess\"\n"},
        {"a mode number the program does not know is a USB identity",
         {TestMode(101, 7, 0x0001, 0x0ABC)},
         "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"0001\", ATTRS{idProduct}==\"0abc\", TAG+=\"uaccess\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "left over";
        std::string error;
        ASSERT_TRUE(UdevAccessRule::Compose(c.modes, text, error)) << error;
        EXPECT_EQ(text, c.text);
    }
}

TEST(UdevAccessRule, RefusesIdsNoDeviceCanHaveAndNamesTheMode)
{
    // The catalogue reader turns missing or non-hexadecimal ids into 0 and clamps large ones; a rule
    // for such an id would match nothing, or a device nobody meant.
    const std::pair<int, int> bad[] = {{0, 0x0001}, {0x1209, 0}, {0x10000, 0x0001}, {0x1209, 0x7FFFFFFF}};
    for (const auto& [vid, pid] : bad) {
        SCOPED_TRACE(std::to_string(vid) + ":" + std::to_string(pid));
        const std::vector<DeviceModel> modes = {NamedMode(L"Pelmaro M1", L"USB cable", kCable, 0x1209, 0x0001),
                                                NamedMode(L"Pelmaro M2", L"Bluetooth", kBluetooth, vid, pid)};
        std::string text = "kept";
        std::string error;
        EXPECT_FALSE(UdevAccessRule::Compose(modes, text, error));
        EXPECT_EQ(text, "kept");
        EXPECT_NE(error.find("\"Bluetooth\" of \"Pelmaro M2\""), std::string::npos) << error;
    }
}

TEST(UdevAccessRule, RefusesAnEmptyCatalogue)
{
    std::string text;
    std::string error;
    EXPECT_FALSE(UdevAccessRule::Compose({}, text, error));
    EXPECT_FALSE(error.empty());
}

// The rule the build wrote from the shipped catalogue, checked against the catalogue read here
// independently: every mode's identity has its line, and the file holds nothing else.
TEST(UdevAccessRule, BuiltRuleCoversTheShippedCatalogueAndNothingElse)
{
    pugi::xml_document catalogue;
    ASSERT_TRUE(catalogue.load_file(PELMARO_SOURCE_DIR "/assets/config.xml"));
    std::set<std::string> expected;
    for (const pugi::xpath_node& node : catalogue.select_nodes("/config/device/mouse/mode")) {
        const pugi::xml_node mode = node.node();
        const unsigned vid = std::stoul(mode.attribute("vid").value(), nullptr, 16);
        const unsigned pid = std::stoul(mode.attribute("pid").value(), nullptr, 16);
        char line[128];
        if (mode.attribute("value").as_int() == kBluetooth) {
            std::snprintf(line, sizeof line, "KERNEL==\"hidraw*\", KERNELS==\"0005:%04X:%04X.*\", TAG+=\"uaccess\"",
                          vid, pid);
        } else {
            std::snprintf(line, sizeof line,
                          "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"",
                          vid, pid);
        }
        expected.insert(line);
    }
    ASSERT_FALSE(expected.empty());

    std::ifstream rule(PELMARO_BINARY_DIR "/packaging/70-pelmaro.rules");
    ASSERT_TRUE(rule) << "the build writes the rule";
    std::vector<std::string> lines;
    for (std::string line; std::getline(rule, line);) {
        lines.push_back(line);
    }
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
    EXPECT_EQ(lines.size(), expected.size()) << "one line per identity";
}

// The build tool replaces the rule whole or not at all: a catalogue it cannot use leaves the previous
// rule in place and fails the build step.
TEST(UdevAccessRule, ToolKeepsThePreviousRuleWhenTheCatalogueIsUnusable)
{
    TempFolder folder;
    const std::filesystem::path rule = folder / "70-test.rules";
    auto run = [&](const std::string& catalogue) {
        const std::filesystem::path config = folder.Write("config.xml", catalogue);
        const std::string command =
            std::string(PELMARO_BINARY_DIR "/bin/udevrule ") + config.string() + " " + rule.string() + " 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string mode = R"(<config><device><mouse name="M"><mode value="0" vid="0x1209" pid=")";

    ASSERT_EQ(run(mode + R"(0x0011"/></mouse></device></config>)"), 0);
    const std::string good = ReadFile(rule);
    EXPECT_EQ(good, "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"1209\", ATTRS{idProduct}==\"0011\", TAG+=\"uaccess\"\n");

    const std::pair<const char*, std::string> unusable[] = {
        {"not well-formed", "<config><device>"},
        {"no identity", "<config><device/></config>"},
        {"a pid that is not hexadecimal", mode + R"(pelmaro"/></mouse></device></config>)"},
    };
    for (const auto& [name, catalogue] : unusable) {
        SCOPED_TRACE(name);
        EXPECT_EQ(run(catalogue), 1);
        EXPECT_EQ(ReadFile(rule), good);
    }
}

}  // namespace
