#include "StagedAssets.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Every text id the program asks for.
const std::vector<int> kTextIds = {
    1, 2, 3, 10, 11, 12, 16, 17, 21, 25, 28, 29, 30, 31, 34, 35, 36, 39, 41, 42, 43, 50, 51, 52, 53, 55,
    60, 65, 66, 67, 68, 69, 70, 100, 101, 102, 103, 108, 109, 110, 111, 112, 113, 114, 120, 121, 122,
    123, 129, 130, 131, 132, 133, 134, 135, 137, 138, 139, 150, 151, 152, 153, 154, 155, 156, 157, 158,
    159, 160, 161, 162, 163, 165, 166, 167, 168, 169, 170, 171, 172, 175, 176, 177, 178, 179, 180, 181,
    182, 190, 192, 193, 195, 210, 211, 212, 220, 222, 223, 230, 231, 232, 233, 250, 251, 252, 253, 255,
    256, 257, 258, 259, 260, 265, 266, 267, 268, 269, 270, 271, 272, 275, 276, 280, 281, 282, 283, 284,
    285, 286, 300, 311, 312, 313, 314, 315, 316, 317, 318, 350, 351, 352, 353, 355, 358, 359, 360, 361,
    362, 363, 364, 365, 366, 367, 368, 380, 385, 386, 387, 388, 389, 390, 391, 392, 393, 394, 395, 396,
    397, 398, 400, 401, 402, 403, 404, 406, 407, 408, 409, 411, 412, 413, 414, 500, 501, 502, 503, 505,
    506, 507, 508, 509, 510, 511, 512, 515, 516, 517, 518, 530, 531, 532, 533, 534, 535, 536, 537, 538,
    539, 540, 543, 544, 545, 546, 558, 559, 570, 571, 581, 582, 583, 584, 590, 591, 700, 701, 702, 703,
    705, 706
};

const char* const kLanguages[] = {"1033", "1049"};

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

KeyFile LoadLanguage(const std::string& lcid)
{
    KeyFile file(g_key_file_new());
    GError* error = nullptr;
    if (!g_key_file_load_from_file(file.get(), StagedAssets::Path("language/" + lcid + ".lan").c_str(),
                                   G_KEY_FILE_NONE, &error)) {
        ADD_FAILURE() << lcid << ".lan: " << (error ? error->message : "unreadable");
        g_clear_error(&error);
        return nullptr;
    }
    return file;
}

std::string Text(GKeyFile* file, int id)
{
    std::unique_ptr<gchar, decltype(&g_free)> text(
        g_key_file_get_string(file, "LAN", std::to_string(id).c_str(), nullptr), g_free);
    return text ? text.get() : "";
}

std::set<std::string> Keys(GKeyFile* file)
{
    gsize count = 0;
    std::unique_ptr<gchar*, decltype(&g_strfreev)> keys(g_key_file_get_keys(file, "LAN", &count, nullptr),
                                                         g_strfreev);
    std::set<std::string> out;
    for (gsize i = 0; keys && i < count; ++i) {
        out.insert(keys.get()[i]);
    }
    return out;
}

TEST(LanguageFiles, HoldEveryTextIdTheProgramAsksFor)
{
    for (const char* lcid : kLanguages) {
        SCOPED_TRACE(lcid);
        const KeyFile file = LoadLanguage(lcid);
        ASSERT_NE(file, nullptr);
        for (int id : kTextIds) {
            const std::string text = Text(file.get(), id);
            EXPECT_FALSE(text.empty()) << "text " << id << " missing";
            // The lookup keeps at most 259 characters.
            EXPECT_LE(g_utf8_strlen(text.c_str(), -1), 259) << "text " << id;
        }
    }
}

TEST(LanguageFiles, BothLanguagesHoldTheSameIds)
{
    const KeyFile english = LoadLanguage("1033");
    const KeyFile russian = LoadLanguage("1049");
    ASSERT_NE(english, nullptr);
    ASSERT_NE(russian, nullptr);
    EXPECT_EQ(Keys(english.get()), Keys(russian.get()));
}

TEST(LanguageFiles, EnglishTextsThatTheProgramComparesAreExact)
{
    // Connection states are matched by text when the language changes; default profile and macro
    // names are recognised by these prefixes.
    const KeyFile english = LoadLanguage("1033");
    ASSERT_NE(english, nullptr);
    const std::pair<int, const char*> exact[] = {{50, "Not Connected"}, {51, "USB Connection"},
                                                 {52, "2.4Ghz Connection"}, {53, "Bluetooth Connection"},
                                                 {60, "Profile"}, {351, "Custom"}};
    for (const auto& [id, text] : exact) {
        EXPECT_EQ(Text(english.get(), id), text) << "text " << id;
    }
}

TEST(LanguageFiles, UnitsAfterANumberKeepTheirLeadingSpace)
{
    // The sleep-time list appends these directly to "30", "1", "2", ...
    for (const char* lcid : kLanguages) {
        const KeyFile file = LoadLanguage(lcid);
        ASSERT_NE(file, nullptr);
        for (int id : {544, 545}) {
            const std::string text = Text(file.get(), id);
            ASSERT_FALSE(text.empty());
            EXPECT_TRUE(g_unichar_isspace(g_utf8_get_char(text.c_str()))) << lcid << " text " << id;
        }
    }
}

// Measuring text fills fontconfig's process-wide caches; empty them when the suite ends so the leak
// checker sees only what the suite itself leaked.
class FontCaches : public ::testing::Environment {
public:
    void TearDown() override
    {
        pango_cairo_font_map_set_default(nullptr);
        cairo_debug_reset_static_data();
        FcFini();
    }
};

const ::testing::Environment* const kFontCaches = ::testing::AddGlobalTestEnvironment(new FontCaches);

// Width in pixels of one line of text in the toolkit's font.
int TextWidth(const std::string& text, int pixelSize)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout(pango_cairo_create_layout(cr.get()),
                                                                   g_object_unref);
    std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)> font(
        pango_font_description_from_string("Open Sans"), pango_font_description_free);
    pango_font_description_set_absolute_size(font.get(), pixelSize * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout.get(), &width, &height);
    return width;
}

TEST(LanguageFiles, SingleLineTextsFitTheirControls)
{
    // Room for the text: the control's width less what its frame, glyph or arrow takes.
    struct Fit {
        int id;
        int room;
        int pixelSize;
    };
    const Fit fits[] = {
        // tab titles beside their icons
        {65, 120, 16}, {66, 120, 16}, {67, 120, 16}, {68, 120, 16}, {69, 120, 16}, {70, 120, 16},
        // page labels
        {129, 200, 16}, {123, 190, 16}, {260, 95, 16}, {251, 150, 16}, {255, 165, 16}, {250, 255, 18},
        {500, 255, 18}, {501, 230, 16}, {503, 230, 16}, {700, 230, 16}, {543, 230, 16}, {300, 230, 16},
        {265, 140, 18}, {266, 200, 16}, {267, 180, 16}, {268, 200, 14}, {269, 200, 14}, {270, 200, 14},
        {271, 200, 14}, {272, 200, 14}, {352, 150, 16}, {355, 150, 16}, {360, 100, 16}, {364, 100, 16},
        {391, 130, 16}, {392, 100, 16}, {100, 100, 16}, {101, 100, 16}, {109, 120, 16}, {530, 280, 16},
        {531, 200, 16}, {535, 200, 16}, {538, 200, 16}, {558, 230, 16}, {532, 40, 16}, {533, 36, 16},
        {210, 60, 14}, {211, 60, 14}, {212, 60, 14}, {388, 50, 16}, {389, 85, 16}, {390, 120, 16},
        // buttons, less 8-pixel borders
        {41, 84, 16}, {353, 74, 16}, {30, 74, 16}, {31, 74, 16}, {42, 74, 16}, {34, 74, 16}, {404, 74, 16},
        {121, 184, 16}, {559, 104, 14}, {358, 114, 16}, {359, 114, 16}, {28, 84, 16}, {29, 84, 16},
        {3, 150, 20}, {112, 150, 20}, {113, 150, 20},
        // check and radio buttons, less the 20-pixel glyph and a gap
        {515, 104, 14}, {516, 104, 14}, {517, 104, 14}, {518, 104, 14}, {701, 104, 14}, {702, 104, 14},
        {703, 104, 14}, {361, 134, 16}, {362, 134, 16}, {363, 109, 16}, {365, 204, 16}, {366, 204, 16},
        {380, 204, 16}, {367, 114, 16}, {110, 474, 16}, {111, 474, 16}, {102, 474, 16}, {103, 414, 16},
        {534, 274, 16}, {536, 164, 16}, {537, 164, 16},
        // combo box items, less the arrow border
        {130, 72, 14}, {133, 72, 14}, {131, 236, 14}, {132, 236, 14}, {134, 236, 14}, {135, 236, 14},
        {137, 236, 14}, {138, 236, 14}, {139, 236, 14}, {311, 126, 14}, {312, 126, 14}, {313, 126, 14},
        {314, 126, 14}, {315, 126, 14}, {316, 126, 14}, {317, 126, 14}, {318, 126, 14}, {393, 116, 14},
        {394, 116, 14}, {395, 116, 14}, {406, 116, 14}, {407, 116, 14}, {408, 116, 14}, {409, 116, 14},
        // callout boxes of the mouse picture, less their 6-pixel borders
        {150, 83, 14}, {151, 83, 14}, {152, 83, 14}, {153, 83, 14}, {154, 83, 14},
    };
    for (const char* lcid : kLanguages) {
        const KeyFile file = LoadLanguage(lcid);
        ASSERT_NE(file, nullptr);
        for (const Fit& fit : fits) {
            const std::string text = Text(file.get(), fit.id);
            EXPECT_LE(TextWidth(text, fit.pixelSize), fit.room) << lcid << " text " << fit.id << " \"" << text << "\"";
        }
    }
}

}  // namespace
