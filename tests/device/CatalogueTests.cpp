#include "device/DeviceCatalogue.h"
#include "device/DeviceLayout.h"
#include "device/DeviceManager.h"
#include "device/VirtualMouse.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class CatalogueFiles : public testing::Test {
protected:
    fs::path Write(const std::string& name, const std::string& text) { return temp_.Write(name, text); }

    TempFolder temp_;
    const fs::path folder_ = temp_.Path();
};

const char* const kConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device>
    <mouse name="Pelmaro X1" device_type="101" device_attr="x1" image="x1.png">
      <mode value="0" desc="wired" vid="0x1A2B" pid="0x0C4D" dev_id="mi_02"/>
      <mode value="1" desc="receiver" vid="1a2b" pid="0abc" dev_id=""/>
    </mouse>
    <mouse name="Pelmaro X2" device_type="102" device_attr="x2" image="x2.png"/>
    <mouse name="Pelmaro X3" device_type=" 103abc" device_attr="x3" image="x3.png">
      <mode value="2" desc="bluetooth" vid=" 0X1A2Bzz" pid="" dev_id="bt"/>
    </mouse>
  </device>
  <software caption="Pelmaro" themecolor="#FF6A00" version="1.0.4">
    <website url="https://example.test/"/>
    <feedback url="https://example.test/feedback"/>
    <qa url="https://example.test/qa"/>
    <store url="https://example.test/store"/>
    <upgrade url="https://example.test/upgrade.xml"/>
    <copyright info="(c) Pelmaro"/>
  </software>
</config>
)";

TEST_F(CatalogueFiles, ReadsModelsModesAndTheSoftwareSection)
{
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(Write("config.xml", kConfig), folder_ / "skin"));

    const auto& models = catalogue.Models();
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0].name, L"Pelmaro X1");
    EXPECT_EQ(models[0].deviceType, 101);
    EXPECT_EQ(models[0].deviceAttr, L"x1");
    EXPECT_EQ(models[0].imagePath, (folder_ / "skin" / "device" / "x1.png").wstring());
    EXPECT_EQ(models[0].vid, 0); // model entries carry no mode
    EXPECT_EQ(models[0].devId, L"");
    EXPECT_EQ(models[2].deviceType, 103);

    struct Expected {
        int type, mode, vid, pid;
        const wchar_t* devId;
        const wchar_t* desc;
    };
    const Expected expected[] = {
        {101, 0, 0x1A2B, 0x0C4D, L"mi_02", L"wired"},
        {101, 1, 0x1A2B, 0x0ABC, L"", L"receiver"},
        {103, 2, 0x1A2B, 0, L"bt", L"bluetooth"},
    };
    const auto& modes = catalogue.Modes();
    ASSERT_EQ(modes.size(), std::size(expected));
    for (std::size_t n = 0; n < modes.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(modes[n].deviceType, expected[n].type);
        EXPECT_EQ(modes[n].modeValue, expected[n].mode);
        EXPECT_EQ(modes[n].vid, expected[n].vid);
        EXPECT_EQ(modes[n].pid, expected[n].pid);
        EXPECT_EQ(modes[n].devId, expected[n].devId);
        EXPECT_EQ(modes[n].desc, expected[n].desc);
        EXPECT_EQ(modes[n].name, models[n == 2 ? 2 : 0].name);
    }

    const SoftwareInfo& software = catalogue.Software();
    EXPECT_EQ(software.caption, L"Pelmaro");
    EXPECT_EQ(software.themeColor, L"#FF6A00");
    EXPECT_EQ(software.version, L"1.0.4");
    EXPECT_EQ(software.websiteUrl, L"https://example.test/");
    EXPECT_EQ(software.feedbackUrl, L"https://example.test/feedback");
    EXPECT_EQ(software.qaUrl, L"https://example.test/qa");
    EXPECT_EQ(software.storeUrl, L"https://example.test/store");
    EXPECT_EQ(software.upgradeUrl, L"https://example.test/upgrade.xml");
    EXPECT_EQ(software.copyrightInfo, L"(c) Pelmaro");
}

TEST_F(CatalogueFiles, ElementsOutOfOrderAreNotFound)
{
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(Write("first.xml", kConfig), folder_));
    // software before device: the models are read, the software section is not found, so the
    // values of the first file stay. Inside software, feedback before website: website is read,
    // feedback is not.
    ASSERT_TRUE(catalogue.Load(Write("second.xml", R"(<config>
  <software caption="Other" version="9">
    <feedback url="https://other.test/feedback"/>
    <website url="https://other.test/"/>
  </software>
  <device><mouse name="Only" device_type="7"/></device>
  <software version="2.0"><feedback url="f"/><website url="w"/></software>
</config>)"),
                               folder_));
    ASSERT_EQ(catalogue.Models().size(), 1u);
    EXPECT_EQ(catalogue.Models()[0].name, L"Only");
    EXPECT_TRUE(catalogue.Modes().empty());
    EXPECT_EQ(catalogue.Software().version, L"2.0");
    EXPECT_EQ(catalogue.Software().caption, L"");
    EXPECT_EQ(catalogue.Software().websiteUrl, L"w");
    EXPECT_EQ(catalogue.Software().feedbackUrl, L"https://example.test/feedback");
}

TEST_F(CatalogueFiles, UnreadableCatalogueLeavesNoModels)
{
    const std::pair<const char*, fs::path> cases[] = {
        {"missing", folder_ / "absent.xml"},
        {"not well-formed", Write("broken.xml", "<config><device><mouse name=\"x\"></device></config>")},
        {"other root", Write("other.xml", "<settings><device><mouse name=\"x\"/></device></settings>")},
    };
    for (const auto& [name, path] : cases) {
        SCOPED_TRACE(name);
        DeviceCatalogue catalogue;
        ASSERT_TRUE(catalogue.Load(Write("config.xml", kConfig), folder_));
        EXPECT_FALSE(catalogue.Load(path, folder_));
        EXPECT_TRUE(catalogue.Models().empty());
        EXPECT_TRUE(catalogue.Modes().empty());
        EXPECT_EQ(catalogue.ChooseDeviceType(101), 0);
        EXPECT_EQ(catalogue.Software().version, L"1.0.4");
    }
}

TEST_F(CatalogueFiles, ChoosesTheStoredModelElseTheFirst)
{
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(Write("config.xml", kConfig), folder_));
    const std::pair<int, int> cases[] = {{102, 102}, {103, 103}, {0, 101}, {555, 101}};
    for (const auto& [stored, chosen] : cases) {
        EXPECT_EQ(catalogue.ChooseDeviceType(stored), chosen) << stored;
    }
    EXPECT_EQ(catalogue.DeviceAttrOf(102), L"x2");
    EXPECT_EQ(catalogue.DeviceAttrOf(555), L"");
}

TEST_F(CatalogueFiles, FiltersOpenTheCataloguedInterfacesWithTheirTypeAndMode)
{
    DeviceCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(Write("config.xml", kConfig), folder_));
    VirtualMouse mouse({0x1A2B, 0x0C4D}, {0x1A2B, 0x0ABC}, {0x1A2B, 0x0C4F});
    mouse.Plug(VirtualLink::Receiver);
    mouse.Plug(VirtualLink::Bluetooth); // not catalogued under this identity
    DeviceManager manager(mouse);
    manager.AddHidFilter(0x1A2B, 0x0C4F, L"stale", 9, 2);
    catalogue.RegisterFilters(manager);
    manager.EnumerateDevice();

    const auto entries = manager.ListAllEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].deviceType, 101);
    EXPECT_EQ(entries[0].mode, 1);
}

TEST(DeviceCatalogueHex, ReadsHexadecimalPrefixes)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"0x1A2B", 0x1A2B}, {L"1a2b", 0x1A2B}, {L"  0X1a2bZZ", 0x1A2B}, {L"0c4d", 0x0C4D},
        {L"", 0},            {L"zz", 0},        {L"0x", 0},              {L"-1", 0},
        {L"FFFFFFFFFF", 2147483647},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(DeviceCatalogue::HexToInt(text), value) << testing::PrintToString(std::wstring(text));
    }
}

const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <image_file img="x1_mouse.png"/>
  <menu light="0"/>
  <mouse_key>
    <key name="301" key_value="0" direction="1" rect="10#20#30#40#50#60" func_type="1" func_value="1" func_desc="Left"/>
    <key name="302" key_value="4" direction="2" rect="10#20" func_type="2" func_value="4" func_desc="A"/>
    <key name="x" direction="0" rect=""/>
  </mouse_key>
</mouse>
)";

TEST_F(CatalogueFiles, LayoutGivesPictureLightingAndButtons)
{
    DeviceLayout layout;
    ASSERT_TRUE(layout.Load(Write("x1.xml", kLayout)));
    EXPECT_EQ(layout.Picture(), L"x1_mouse.png");
    EXPECT_TRUE(layout.LightingPageEnabled());

    using P = LayoutKey::Point;
    const auto& keys = layout.Keys();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].nameId, 301);
    EXPECT_EQ(keys[0].keyValue, 0);
    EXPECT_EQ(keys[0].direction, 1);
    EXPECT_EQ(keys[0].points, (std::array<P, 3>{P{10, 20}, P{30, 40}, P{50, 60}}));
    EXPECT_EQ(keys[1].points, (std::array<P, 3>{P{10, 0}, P{0, 0}, P{0, 20}}));
    EXPECT_EQ(keys[2].nameId, 0);
    EXPECT_EQ(keys[2].keyValue, 0); // no key_value: button 0

    const auto& defaults = layout.DefaultKeys();
    ASSERT_EQ(defaults.size(), 3u);
    EXPECT_EQ(defaults[1].key_code, 4);
    EXPECT_EQ(defaults[1].layout_value, 4);
    EXPECT_EQ(defaults[1].layout_desc, L"302");
    EXPECT_EQ(defaults[1].macro_type, 2);
    EXPECT_EQ(defaults[1].macro_value, 4);
    EXPECT_EQ(defaults[1].macro_desc, L"A");
    EXPECT_EQ(defaults[1].macro_value2, 0);
    EXPECT_EQ(defaults[2].layout_desc, L"x");
}

TEST_F(CatalogueFiles, LayoutSectionsThatAreMissingKeepThePreviousOnes)
{
    struct Case {
        const char* name;
        const char* text;
        bool loads;
        const wchar_t* picture;
        bool lighting;
        std::size_t keys;
    };
    const Case cases[] = {
        {"light 1 hides the page", "<mouse><menu light=\"1\"/></mouse>", true, L"x1_mouse.png", false, 3},
        {"menu without light shows it", "<mouse><menu/></mouse>", true, L"x1_mouse.png", true, 3},
        {"no menu keeps it", "<mouse><image_file img=\"b.png\"/></mouse>", true, L"b.png", true, 3},
        {"empty button list", "<mouse><mouse_key/></mouse>", true, L"x1_mouse.png", true, 0},
        // Found after the others, image_file hides them from the forward search.
        {"sections out of order", "<mouse><mouse_key/><menu light=\"1\"/><image_file img=\"c.png\"/></mouse>", true,
         L"c.png", true, 3},
        {"other root", "<layout><menu light=\"1\"/></layout>", false, L"x1_mouse.png", true, 3},
        {"not well-formed", "<mouse><menu light=\"1\"></mouse>", false, L"x1_mouse.png", true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceLayout layout;
        ASSERT_TRUE(layout.Load(Write("x1.xml", kLayout)));
        EXPECT_EQ(layout.Load(Write("next.xml", c.text)), c.loads);
        EXPECT_EQ(layout.Picture(), c.picture);
        EXPECT_EQ(layout.LightingPageEnabled(), c.lighting);
        EXPECT_EQ(layout.Keys().size(), c.keys);
        EXPECT_EQ(layout.DefaultKeys().size(), c.keys);
    }
    DeviceLayout fresh;
    EXPECT_FALSE(fresh.Load(folder_ / "absent.xml"));
    EXPECT_FALSE(fresh.LightingPageEnabled());
}

TEST_F(CatalogueFiles, LayoutFileIsNamedByTheModelKeyInsideItsFolder)
{
    EXPECT_EQ(DeviceLayout::FileFor(folder_, L"x1"), folder_ / "x1.xml");
    // An empty key names a file with an empty base name, which a layout never has.
    EXPECT_EQ(DeviceLayout::FileFor(folder_, L""), folder_ / ".xml");
    EXPECT_TRUE(DeviceLayout::FileFor(folder_, L"../../etc/passwd").empty());
    EXPECT_TRUE(DeviceLayout::FileFor(folder_, L"..\\x").empty());
    DeviceLayout layout;
    EXPECT_FALSE(layout.Load(DeviceLayout::FileFor(folder_, L"../x")));
}

TEST(DeviceLayoutRect, SplitsSixNumbers)
{
    using P = LayoutKey::Point;
    const std::pair<const wchar_t*, std::array<P, 3>> cases[] = {
        {L"10#20#30#40#50#60", {P{10, 20}, P{30, 40}, P{50, 60}}},
        {L"10#20", {P{10, 0}, P{0, 0}, P{0, 20}}},
        {L"", {P{0, 0}, P{0, 0}, P{0, 0}}},
        {L"-5#x#7#8#9#10#11", {P{-5, 0}, P{7, 8}, P{9, 10}}},
        {L" 1 # 2 #3#4#5#6", {P{1, 2}, P{3, 4}, P{5, 6}}},
    };
    for (const auto& [text, points] : cases) {
        EXPECT_EQ(DeviceLayout::SplitRect(text), points) << testing::PrintToString(std::wstring(text));
    }
}

} // namespace
