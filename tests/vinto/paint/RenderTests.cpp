// Drawing routines by pixels, item placement, and the skin image cache on a temporary skin folder.
#include "vinto/platform/PixelProbe.h"

#include "vinto/core/MControlFont.h"
#include "vinto/paint/Manager.h"
#include "vinto/paint/MImageList.h"
#include "vinto/paint/MRender.h"
#include "vinto/platform/Utf8.h"
#include "vinto/window/PaintManager.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Vinto;

namespace {

// Nine 10×10 cells of distinct colours, row by row.
constexpr uint32_t kCells[9] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF,
                                0xFFFF00FF, 0xFF800000, 0xFF008000, 0xFF000080};

Surface NineCells()
{
    Surface s(30, 30);
    Canvas c(s);
    for (int i = 0; i < 9; ++i)
        c.FillSolidRect(Rect::FromSize(i % 3 * 10, i / 3 * 10, 10, 10), kCells[i]);
    return s;
}

TEST(Render, NineGridKeepsCornersAndStretchesEdgesAndCentre)
{
    const Surface source = NineCells();
    Surface target(100, 60);
    {
        Canvas canvas(target);
        MRender::DrawImageFrame(canvas, source, {0, 0, 100, 60}, 0, 0, 30, 30, 10);
    }
    struct Probe {
        Point at;
        int cell;
    };
    const Probe probes[] = {
        {{0, 0}, 0},   {{9, 9}, 0},   {{50, 2}, 1},  {{99, 0}, 2},  {{90, 9}, 2}, {{2, 30}, 3},
        {{50, 30}, 4}, {{11, 11}, 4}, {{97, 30}, 5}, {{0, 59}, 6},  {{50, 55}, 7}, {{99, 59}, 8},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(target.Pixel(p.at.x, p.at.y), kCells[p.cell]) << p.at.x << "," << p.at.y;
}

TEST(Render, RoundedRectangleLeavesItsCornersOpen)
{
    Surface target(100, 50);
    {
        Canvas canvas(target);
        MRender::DrawRoundRectange(canvas, 0, 0, 100, 50, 10, 0xFFFF0000);
    }
    struct Probe {
        Point at;
        bool filled;
    };
    const Probe probes[] = {
        {{0, 0}, false}, {{1, 1}, false},  {{98, 1}, false}, {{1, 48}, false}, {{98, 48}, false},
        {{50, 0}, true}, {{0, 25}, true},  {{50, 25}, true}, {{99, 25}, true}, {{10, 10}, true},
    };
    for (const Probe& p : probes) {
        const uint32_t alpha = target.Pixel(p.at.x, p.at.y) >> 24;
        if (p.filled)
            EXPECT_GE(alpha, 0x80u) << p.at.x << "," << p.at.y;
        else
            EXPECT_EQ(alpha, 0u) << p.at.x << "," << p.at.y;
    }
}

TEST(Render, OriginPointPlacesAnItemByAlignment)
{
    struct Case {
        int boxW, boxH, w, h;
        uint32_t h_align, v_align;
        Point expected;
    };
    const Case cases[] = {
        {100, 50, 20, 10, 0, 0, {0, 0}},   {100, 50, 20, 10, 1, 4, {40, 20}}, {100, 50, 20, 10, 2, 8, {80, 40}},
        {10, 10, 20, 4, 1, 4, {-5, 3}},    {10, 10, 20, 4, 2, 0, {-10, 0}},   {100, 50, 20, 10, 3, 5, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MRender::GetOriginPoint(c.boxW, c.boxH, c.w, c.h, c.h_align, c.v_align), c.expected);
    EXPECT_EQ(MRender::GetOriginPoint(Rect{10, 20, 110, 70}, 20, 10, 1, 4), (Point{50, 42}));
}

TEST(Render, FillsWithoutAlphaDrawNothing)
{
    Surface target(10, 10);
    {
        Canvas canvas(target);
        MRender::DrawColor(canvas, target.Bounds(), 0x00FF0000);
        MRender::DrawGradient(canvas, target.Bounds(), 0x00FF0000, 0x0000FF00, true, 10);
    }
    EXPECT_EQ(target.Pixel(5, 5), 0u);
    {
        Canvas canvas(target);
        MRender::DrawColor(canvas, target.Bounds(), 0xFFFF0000);
        MRender::FillSolidRect(canvas, {0, 0, 5, 10}, 0x00FF0000);   // COLORREF blue
    }
    EXPECT_EQ(target.Pixel(8, 5), 0xFFFF0000u);
    EXPECT_EQ(target.Pixel(2, 5), 0xFF0000FFu);
}

TEST(Render, PureBlackIsNudgedAwayFromTheColourKey)
{
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0x00000000, 0x00000001}, {0xFF000000, 0xFF000001}, {0x00000100, 0x00000100}, {0x80123456, 0x80123456}};
    for (auto [in, out] : cases) {
        uint32_t c = in;
        MRender::CheckAlphaColor(c);
        EXPECT_EQ(c, out);
    }
}

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::path(::testing::TempDir()) / "vinto-skin";
        std::filesystem::create_directories(folder / "skins" / "theme1" / "icon");
        Surface strip(40, 10);
        Canvas(strip).FillSolidRect(strip.Bounds(), 0xFF00FF00);
        ASSERT_TRUE(strip.SavePng((folder / "skins" / "theme1" / "strip.png").string()));
        ASSERT_TRUE(strip.SavePng((folder / "skins" / "theme1" / "icon" / "tab.png").string()));
        previous = Manager::GetProgramFolder();
        Manager::SetProgramFolder(folder.string());
    }
    void TearDown() override { Manager::SetProgramFolder(previous); }
    std::filesystem::path folder;
    std::string previous;
};

class Labelled : public MControlFont {
public:
    using MControlFont::MControlFont;
    void DrawControl(Canvas&, const Rect&) override {}
};

TEST_F(SkinTest, SkinNamesResolveInTheThemeFolder)
{
    EXPECT_EQ(Manager::SkinPath(L"img_tip_bk.png"), folder.string() + "/skins/theme1/img_tip_bk.png");
    EXPECT_EQ(Manager::SkinPath(L"icon\\tab_dpi.png"), folder.string() + "/skins/theme1/icon/tab_dpi.png");
}

TEST_F(SkinTest, CacheSharesAnImageAndKeepsTheFirstFrameCount)
{
    PaintManager manager;
    const ImgResInfo* first = manager.AddImgResInfo(L"strip.png", 3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->frameWidth, 13);   // 40 ÷ 3, truncated
    EXPECT_EQ(first->height, 10);
    EXPECT_EQ(manager.AddImgResInfo(L"strip.png", 4), first);
    EXPECT_EQ(first->frameCount, 3);
    EXPECT_NE(manager.AddImgResInfo(L"icon\\tab.png", 1), nullptr);
    EXPECT_EQ(manager.AddImgResInfo(L"missing.png", 1), nullptr);
    EXPECT_EQ(manager.AddImgResInfo(L"strip.png", 0), first);
    EXPECT_EQ(manager.ImageCount(), 2u);
}

TEST_F(SkinTest, ControlImagesComeFromTheManagerAndSurviveAFailedLoad)
{
    Labelled orphan(nullptr, 1, {0, 0, 10, 10}, L"", 1, 1, 1);
    EXPECT_EQ(orphan.SetImage(L"strip.png", 4), 0);   // no manager yet

    PaintManager manager;
    Labelled a(nullptr, 1, {0, 0, 10, 10}, L"", 1, 1, 1), b(nullptr, 2, {0, 0, 10, 10}, L"", 1, 1, 1);
    a.SetManager(&manager);
    b.SetManager(&manager);
    EXPECT_EQ(a.SetImage(L"strip.png", 4), 1);
    EXPECT_EQ(b.SetImage(L"strip.png", 2), 1);
    EXPECT_EQ(a.GetImage(), b.GetImage());
    EXPECT_EQ(b.GetImageSize(), (Size{10, 10}));
    EXPECT_EQ(a.SetImage(L"missing.png", 4), 0);
    EXPECT_EQ(a.GetImagePath(), L"strip.png");
    EXPECT_NE(a.GetImage(), nullptr);
}

} // namespace

namespace {

TEST_F(SkinTest, ImageListInsertsByIndexAndDrawsFrames)
{
    const std::wstring strip = Utf8ToWide((folder / "skins" / "theme1" / "strip.png").string());
    MImageList list;
    EXPECT_EQ(list.AddImage(nullptr, 1, 1), -1);
    EXPECT_EQ(list.AddImage(L"/nonexistent.png", 1, 1), -1);
    EXPECT_EQ(list.AddImage(strip.c_str(), 10, 4), 0);
    EXPECT_EQ(list.AddImage(strip.c_str(), 11, 2), 1);
    EXPECT_EQ(list.InsertImage(5, strip.c_str(), 12, 1), -1);   // outside the list
    EXPECT_EQ(list.InsertImage(0, strip.c_str(), 13, 1), -1);   // inserted, not appended
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(list.GetItemImageData(0)->id, 13);
    EXPECT_EQ(list.GetImageDataByID(11)->frameWidth, 20);
    EXPECT_EQ(list.GetImagePathByID(10), strip);
    EXPECT_EQ(list.GetImagePath(7), L"");

    Surface target(30, 30);
    {
        Canvas canvas(target);
        list.DrawItemIcon(canvas, {0, 0, 30, 30}, 2, 2);   // id 11 has two frames: nothing
        list.DrawItemIcon(canvas, {0, 0, 30, 30}, 9);
    }
    EXPECT_TRUE(VintoTest::InkBox(target).IsEmpty());
    {
        Canvas canvas(target);
        list.DrawItemIcon(canvas, {0, 0, 30, 30}, 2, 1);
    }
    EXPECT_EQ(target.Pixel(15, 15), 0xFF00FF00u);   // a 20×10 frame centred
    EXPECT_EQ(target.Pixel(15, 5), 0u);
    list.DelAllImages();
    EXPECT_EQ(list.GetImageCount(), 0);
}

} // namespace
