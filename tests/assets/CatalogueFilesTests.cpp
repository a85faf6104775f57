#include "StagedAssets.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <sstream>
#include <set>
#include <string>
#include <vector>

namespace {

using StagedAssets::Path;

pugi::xml_document Load(const std::string& relative)
{
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_file(Path(relative).c_str());
    EXPECT_TRUE(result) << relative << ": " << result.description() << " at offset " << result.offset;
    return document;
}

// Element children in document order: the reader finds siblings only by searching forward.
std::vector<std::string> ChildNames(const pugi::xml_node& node)
{
    std::vector<std::string> names;
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_element) {
            names.emplace_back(child.name());
        }
    }
    return names;
}

bool AllOf(const std::string& text, const char* allowed)
{
    return !text.empty() && text.find_first_not_of(allowed) == std::string::npos;
}

bool IsDecimal(const std::string& text) { return AllOf(text[0] == '-' ? text.substr(1) : text, "0123456789"); }

// The six numbers of a callout "x1#y1#x2#y2#x3#y3", or none when the text has another form.
std::vector<int> CalloutPoints(const std::string& rect)
{
    std::vector<int> points;
    std::istringstream parts(rect);
    for (std::string part; std::getline(parts, part, '#');) {
        if (!IsDecimal(part)) {
            return {};
        }
        points.push_back(std::stoi(part));
    }
    return points.size() == 6 ? points : std::vector<int>{};
}

TEST(CatalogueFiles, ConfigHoldsTheModelAndTheSoftwareSectionInReadingOrder)
{
    const pugi::xml_document config = Load("config.xml");
    const pugi::xml_node root = config.document_element();
    ASSERT_STREQ(root.name(), "config");
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"device", "software"}));

    const pugi::xml_node software = root.child("software");
    EXPECT_STREQ(software.attribute("caption").value(), "Pelmaro");
    const std::string colour = software.attribute("themecolor").value();
    EXPECT_TRUE(colour.size() == 7 && colour[0] == '#' && AllOf(colour.substr(1), "0123456789ABCDEFabcdef")) << colour;
    EXPECT_FALSE(std::string(software.attribute("version").value()).empty());
    EXPECT_EQ(ChildNames(software),
              (std::vector<std::string>{"website", "feedback", "qa", "store", "upgrade", "copyright"}));

    std::set<int> types;
    for (const pugi::xml_node& mouse : root.child("device").children("mouse")) {
        SCOPED_TRACE(mouse.attribute("name").value());
        EXPECT_FALSE(std::string(mouse.attribute("name").value()).empty());
        ASSERT_TRUE(IsDecimal(mouse.attribute("device_type").value()));
        EXPECT_TRUE(types.insert(mouse.attribute("device_type").as_int()).second) << "device type listed twice";
        const std::string attr = mouse.attribute("device_attr").value();
        EXPECT_TRUE(AllOf(attr, "abcdefghijklmnopqrstuvwxyz0123456789_")) << "names a file: " << attr;
        EXPECT_NE(StagedAssets::LoadImage(StagedAssets::SkinPath("device/" + std::string(mouse.attribute("image").value()))),
                  nullptr);

        std::vector<int> modes;
        for (const pugi::xml_node& mode : mouse.children("mode")) {
            modes.push_back(mode.attribute("value").as_int());
            // Test identities of the pid.codes range: vendor 0x1209.
            EXPECT_EQ(std::strtol(mode.attribute("vid").value(), nullptr, 16), 0x1209);
            EXPECT_GT(std::strtol(mode.attribute("pid").value(), nullptr, 16), 0);
        }
        EXPECT_EQ(modes, (std::vector<int>{0, 1, 2}));
    }
    EXPECT_EQ(types, (std::set<int>{101}));
}

// Geometry of the key page at the window's size of 1280 x 780: the mouse layout widget spans
// (R-660, 150, R-110, 650), and the layout picture is placed with its left edge at R-500, its top at
// (B - height) / 2 + 20.
constexpr int kClientWidth = 1280;
constexpr int kClientHeight = 780;
constexpr int kWidgetLeft = kClientWidth - 660;
constexpr int kWidgetTop = 150;
constexpr int kWidgetWidth = 550;
constexpr int kWidgetHeight = 500;

TEST(CatalogueFiles, LayoutCalloutsPointAtTheButtonsOfThePicture)
{
    const pugi::xml_document config = Load("config.xml");
    const std::string attr = config.document_element().child("device").child("mouse").attribute("device_attr").value();
    const pugi::xml_document layout = Load("device/" + attr + ".xml");
    const pugi::xml_node root = layout.document_element();
    ASSERT_STREQ(root.name(), "mouse");
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"image_file", "menu", "mouse_key"}));
    EXPECT_EQ(root.child("menu").attribute("light").as_int(), 0) << "the model has lighting";

    const auto picture = StagedAssets::LoadImage(StagedAssets::SkinPath(root.child("image_file").attribute("img").value()));
    ASSERT_NE(picture, nullptr);
    const int pictureLeft = (kClientWidth - 500) - kWidgetLeft;
    const int pictureTop = (kClientHeight - gdk_pixbuf_get_height(picture.get())) / 2 + 20 - kWidgetTop;

    std::set<int> keyValues;
    for (const pugi::xml_node& key : root.child("mouse_key").children("key")) {
        SCOPED_TRACE(key.attribute("rect").value());
        keyValues.insert(key.attribute("key_value").as_int());
        for (const char* attribute : {"name", "key_value", "direction", "func_type", "func_value", "func_desc"}) {
            EXPECT_TRUE(IsDecimal(key.attribute(attribute).value())) << attribute;
        }
        const std::vector<int> p = CalloutPoints(key.attribute("rect").value());
        ASSERT_EQ(p.size(), 6u);
        // Direction 1 puts the box right of the third point and the dot on the first; otherwise the
        // box ends left of the first point and the dot is on the third.
        const bool boxAtEnd = key.attribute("direction").as_int() == 1;
        const int dotX = boxAtEnd ? p[0] : p[4];
        const int dotY = boxAtEnd ? p[1] : p[5];
        const int boxLeft = boxAtEnd ? p[4] + 1 : p[0] - 96;
        const int boxTop = (boxAtEnd ? p[5] : p[1]) - 15;
        EXPECT_GE(boxLeft, 0);
        EXPECT_LE(boxLeft + 95, kWidgetWidth);
        EXPECT_GE(boxTop, 0);
        EXPECT_LE(boxTop + 30, kWidgetHeight);

        // The dot lands on the mouse itself, not on the transparent surroundings.
        const int x = dotX - pictureLeft;
        const int y = dotY - pictureTop;
        ASSERT_TRUE(x >= 0 && y >= 0 && x < gdk_pixbuf_get_width(picture.get()) &&
                    y < gdk_pixbuf_get_height(picture.get()));
        const guchar* pixel = gdk_pixbuf_read_pixels(picture.get()) + y * gdk_pixbuf_get_rowstride(picture.get()) +
                              x * gdk_pixbuf_get_n_channels(picture.get());
        EXPECT_EQ(pixel[3], 255) << "dot at (" << x << ", " << y << ") of the picture";
    }
    EXPECT_EQ(keyValues, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(CatalogueFiles, LayoutTextIdsExistInEveryLanguage)
{
    const pugi::xml_document layout = Load("device/pelmaro_m1.xml");
    for (const char* lcid : {"1033", "1049"}) {
        std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> texts(g_key_file_new(), g_key_file_free);
        ASSERT_TRUE(g_key_file_load_from_file(texts.get(), Path(std::string("language/") + lcid + ".lan").c_str(),
                                              G_KEY_FILE_NONE, nullptr));
        for (const pugi::xml_node& key : layout.document_element().child("mouse_key").children("key")) {
            for (const char* attribute : {"name", "func_desc"}) {
                EXPECT_TRUE(g_key_file_has_key(texts.get(), "LAN", key.attribute(attribute).value(), nullptr))
                    << lcid << " lacks text " << key.attribute(attribute).value();
            }
        }
    }
}

}  // namespace
