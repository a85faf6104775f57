#include "StagedAssets.h"

#include "common/TextConvert.h"
#include "exchange/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The catalogue and layout files are read the way the program reads them: with the cursor of the XML
// document layer, which only searches forward, so every element must be found in its turn.

TEST(CatalogueReading, ConfigYieldsTheModelItsModesAndEverySoftwareLink)
{
    XmlDocument config;
    ASSERT_TRUE(config.LoadFile(StagedAssets::Path("config.xml")));
    ASSERT_TRUE(config.FindElement(L"config"));
    ASSERT_TRUE(config.EnterElement());
    ASSERT_TRUE(config.FindElement(L"device"));
    ASSERT_TRUE(config.EnterElement());
    ASSERT_TRUE(config.FindElement(L"mouse"));
    EXPECT_EQ(config.GetAttribute(L"name"), L"Pelmaro M1");
    EXPECT_EQ(config.GetIntAttribute(L"device_type"), 101);
    EXPECT_EQ(config.GetAttribute(L"device_attr"), L"pelmaro_m1");
    EXPECT_EQ(config.GetAttribute(L"image"), L"pelmaro_m1.png");
    ASSERT_TRUE(config.EnterElement());
    std::vector<int> modes;
    while (config.FindElement(L"mode")) {
        modes.push_back(config.GetIntAttribute(L"value"));
        EXPECT_FALSE(config.GetAttribute(L"vid").empty());
        EXPECT_FALSE(config.GetAttribute(L"pid").empty());
    }
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 2}));
    ASSERT_TRUE(config.LeaveElement());
    EXPECT_FALSE(config.FindElement(L"mouse")) << "one model is shipped";
    ASSERT_TRUE(config.LeaveElement());

    ASSERT_TRUE(config.FindElement(L"software"));
    EXPECT_EQ(config.GetAttribute(L"caption"), L"Pelmaro");
    EXPECT_EQ(config.GetAttribute(L"themecolor"), L"#49FFE6");
    EXPECT_FALSE(config.GetAttribute(L"version").empty());
    ASSERT_TRUE(config.EnterElement());
    struct Link {
        const wchar_t* element;
        const wchar_t* attribute;
    };
    for (const Link& link : {Link{L"website", L"url"}, Link{L"feedback", L"url"}, Link{L"qa", L"url"},
                             Link{L"store", L"url"}, Link{L"upgrade", L"url"}, Link{L"copyright", L"info"}}) {
        ASSERT_TRUE(config.FindElement(link.element)) << "element " << ToUtf8(link.element);
        if (std::wstring(link.attribute) == L"info") {
            EXPECT_FALSE(config.GetAttribute(link.attribute).empty());
        }
    }
}

TEST(CatalogueReading, LayoutYieldsPictureLightingAndFiveButtons)
{
    XmlDocument layout;
    ASSERT_TRUE(layout.LoadFile(StagedAssets::Path("device/pelmaro_m1.xml")));
    ASSERT_TRUE(layout.FindElement(L"mouse"));
    ASSERT_TRUE(layout.EnterElement());
    ASSERT_TRUE(layout.FindElement(L"image_file"));
    EXPECT_EQ(layout.GetAttribute(L"img"), L"device/img_mouse_layout.png");
    ASSERT_TRUE(layout.FindElement(L"menu"));
    EXPECT_EQ(layout.GetIntAttribute(L"light"), 0);
    ASSERT_TRUE(layout.FindElement(L"mouse_key"));
    ASSERT_TRUE(layout.EnterElement());
    std::vector<int> keys;
    while (layout.FindElement(L"key")) {
        keys.push_back(layout.GetIntAttribute(L"key_value"));
        EXPECT_EQ(layout.GetIntAttribute(L"func_type"), 1) << "every button starts as a mouse function";
        EXPECT_NE(layout.GetIntAttribute(L"name"), 0);
        EXPECT_NE(layout.GetIntAttribute(L"func_desc"), 0);
    }
    EXPECT_EQ(keys, (std::vector<int>{0, 1, 2, 3, 4}));
}

}  // namespace
