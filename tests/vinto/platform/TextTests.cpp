// Text drawing and measuring, checked by the box of the pixels it inks; font resolution.
#include "PixelProbe.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/FontLibrary.h"
#include "vinto/platform/Utf8.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace Vinto;
using VintoTest::InkBox;

namespace {

const Rect kBox{10, 10, 210, 110};

Rect Ink(std::wstring_view text, const TextFormat& format, const Rect& box = kBox, int* height = nullptr)
{
    Surface s(box.right + 10, box.bottom + 10);
    Canvas c(s);
    const int h = c.DrawText(text, box, format);
    if (height)
        *height = h;
    return InkBox(s);
}

TEST(Text, AlignmentPlacesTheLineByItsMeasuredSize)
{
    TextFormat format;
    const Size size = Canvas::MeasureText(L"Hello", format);
    ASSERT_GT(size.width, 20);
    ASSERT_GT(size.height, 15);
    const Rect reference = Ink(L"Hello", format);
    ASSERT_FALSE(reference.IsEmpty());
    EXPECT_GE(reference.left, kBox.left);
    EXPECT_LT(reference.left, kBox.left + 4);

    struct Case {
        int h, v, dx, dy;
    };
    const int freeX = kBox.Width() - size.width;
    const int freeY = kBox.Height() - size.height;
    const Case cases[] = {
        {TextFormat::kCenter, TextFormat::kTop, freeX / 2, 0},
        {TextFormat::kRight, TextFormat::kTop, freeX, 0},
        {TextFormat::kLeft, TextFormat::kMiddle, 0, freeY / 2},
        {TextFormat::kLeft, TextFormat::kBottom, 0, freeY},
        {TextFormat::kCenter, TextFormat::kMiddle, freeX / 2, freeY / 2},
        {TextFormat::kRight, TextFormat::kBottom, freeX, freeY},
    };
    for (const Case& c : cases) {
        format.hAlign = c.h;
        format.vAlign = c.v;
        EXPECT_EQ(Ink(L"Hello", format), reference.Offset(c.dx, c.dy)) << c.h << "/" << c.v;
    }
}

TEST(Text, WrapBreaksAtWordsWithinTheWidthAndNoWrapClips)
{
    const std::wstring text = L"The quick brown fox jumps over the lazy dog";
    const Rect narrow{10, 10, 110, 200};
    TextFormat format;
    const int lineHeight = Canvas::MeasureText(L"X", format).height;

    format.wrap = true;
    int drawn = 0;
    const Rect wrapped = Ink(text, format, narrow, &drawn);
    EXPECT_LE(wrapped.right, narrow.right);
    EXPECT_GT(wrapped.Height(), 2 * lineHeight);
    EXPECT_EQ(drawn, Canvas::MeasureText(text, format, narrow.Width()).height);

    // Centred wrapped lines share one centre.
    format.hAlign = TextFormat::kCenter;
    const Rect centred = Ink(text, format, narrow);
    EXPECT_NEAR((centred.left + centred.right) / 2.0, (narrow.left + narrow.right) / 2.0, 3);

    format = TextFormat();
    const Rect single = Ink(text, format, narrow);
    EXPECT_LT(single.Height(), 2 * lineHeight);
    EXPECT_EQ(single.right, narrow.right);   // cut at the edge
    format.clip = false;
    EXPECT_GT(Ink(text, format, narrow).right, narrow.right);
}

TEST(Text, EllipsisShortensALineThatDoesNotFit)
{
    const std::wstring text = L"A long line that cannot fit in a small box";
    const Rect small{10, 10, 110, 40};
    TextFormat format;
    format.ellipsis = true;
    format.clip = false;
    const Rect ink = Ink(text, format, small);
    EXPECT_LE(ink.right, small.right);
    EXPECT_LE(Canvas::MeasureText(text, format, small.Width()).width, small.Width());
    EXPECT_GT(Canvas::MeasureText(text, format).width, small.Width());
}

TEST(Text, StyleBitsChangeTheInk)
{
    TextFormat regular;
    TextFormat bold = regular;
    bold.style = TextFormat::kBold;
    EXPECT_GT(Canvas::MeasureText(L"Bold text", bold).width, Canvas::MeasureText(L"Bold text", regular).width);

    const Rect plain = Ink(L"acemnorsuvwxz", regular);
    TextFormat underline = regular;
    underline.style = TextFormat::kUnderline;
    EXPECT_GT(Ink(L"acemnorsuvwxz", underline).bottom, plain.bottom);

    // Strikeout adds a line through the middle: a row that was blank between letters fills.
    TextFormat strike = regular;
    strike.style = TextFormat::kStrikeout;
    EXPECT_GE(Ink(L"o o", strike).Width(), Ink(L"o o", regular).Width());

    TextFormat clear = regular;
    clear.color = 0x00FFFFFF;
    EXPECT_TRUE(Ink(L"invisible", clear).IsEmpty());
    EXPECT_EQ(Canvas::MeasureText(L"", regular), (Size{0, 0}));
}

TEST(Fonts, FamiliesResolveAndUnknownOnesFallBackToOneFace)
{
    FontLibrary& fonts = FontLibrary::Instance();
    struct Case {
        const char* asked;
        const char* resolved;
    };
    const Case cases[] = {
        {"Open Sans", "Open Sans"},
        {"Open Sans Semibold", "Open Sans Semibold"},
        {"open sans light", "open sans light"},
        {"No Such Family 4711", "Open Sans"},
        {"Segoe UI", fonts.HasFamily("Segoe UI") ? "Segoe UI" : "Open Sans"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fonts.ResolveFamily(c.asked), c.resolved) << c.asked;

    TextFormat known;
    TextFormat unknown;
    unknown.family = L"No Such Family 4711";
    EXPECT_EQ(Canvas::MeasureText(L"Fallback", unknown), Canvas::MeasureText(L"Fallback", known));
    TextFormat semibold;
    semibold.family = L"Open Sans Semibold";
    EXPECT_GT(Canvas::MeasureText(L"Weight of the face", semibold).width,
              Canvas::MeasureText(L"Weight of the face", known).width);
}

TEST(Fonts, OnlyRealFontFilesAreAdded)
{
    FontLibrary& fonts = FontLibrary::Instance();
    const std::string notAFont = ::testing::TempDir() + "/not-a-font.ttf";
    std::ofstream(notAFont) << "plain text";
    EXPECT_FALSE(fonts.AddFontFile(notAFont));
    EXPECT_FALSE(fonts.AddFontFile(::testing::TempDir() + "/missing.ttf"));
    EXPECT_TRUE(fonts.AddFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    EXPECT_TRUE(fonts.HasFamily("DejaVu Sans"));
    EXPECT_GT(Canvas::MeasureText(L"still draws", TextFormat()).width, 0);
}

TEST(Utf8, ConvertsBothWaysAndRefusesInvalidInput)
{
    const std::wstring wide = L"Aя€\U0001F600";
    const std::string utf8 = "A\xD1\x8F\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToWide(utf8), wide);
    EXPECT_EQ(Utf8ToWide("\xFF\xFE"), L"");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "");
    EXPECT_EQ(WideToUtf8(L""), "");
}

} // namespace

namespace {

TEST(TextLayoutCache, KeepsTheMostRecentlyUsedLayouts)
{
    TextLayoutCache cache(2);
    auto make = [] { return TextLayoutCache::LayoutPtr(pango_layout_new(FontLibrary::Instance().Context())); };
    PangoLayout* a = cache.Add("a", make());
    PangoLayout* b = cache.Add("b", make());
    EXPECT_EQ(cache.Find("a"), a);   // "a" is now the most recent
    cache.Add("c", make());          // so "b" goes
    EXPECT_EQ(cache.Find("b"), nullptr);
    EXPECT_EQ(cache.Find("a"), a);
    EXPECT_NE(cache.Find("c"), nullptr);
    EXPECT_NE(b, nullptr);
    cache.Clear();
    EXPECT_EQ(cache.Find("a"), nullptr);
}

TEST(Text, RedrawingFromTheCacheGivesTheSamePixels)
{
    TextFormat format;
    format.wrap = true;
    const Rect first = Ink(L"Cached label text that wraps", format, {10, 10, 90, 100});
    EXPECT_EQ(Ink(L"Cached label text that wraps", format, {10, 10, 90, 100}), first);
    // The same text in another width is laid out anew.
    EXPECT_NE(Ink(L"Cached label text that wraps", format, {10, 10, 200, 100}), first);
}

} // namespace
