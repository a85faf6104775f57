// Drawing primitives checked by their pixels.
#include "PixelProbe.h"

#include "vinto/platform/Canvas.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::InkBox;
using VintoTest::Near;

namespace {

struct Probe {
    int x;
    int y;
    uint32_t expected;   // premultiplied
};

void ExpectPixels(const Surface& s, std::initializer_list<Probe> probes, int tolerance = 2)
{
    for (const Probe& p : probes)
        EXPECT_TRUE(Near(s.Pixel(p.x, p.y), p.expected, tolerance))
            << "at (" << p.x << ", " << p.y << "): " << std::hex << s.Pixel(p.x, p.y) << " expected " << p.expected;
}

TEST(Canvas, FillsBlendOrReplaceAndRespectTheClip)
{
    Surface s(20, 10);
    Canvas c(s);
    c.FillSolidRect({0, 0, 20, 10}, 0xFFFFFFFF);
    c.FillRect({0, 0, 5, 10}, 0x80FF0000);         // half red over white
    c.FillRect({5, 0, 10, 10}, 0x00FF0000);        // alpha 0: nothing
    c.FillSolidRect({10, 0, 15, 10}, 0x800000FF);  // replaces: half-transparent blue
    c.PushClip({15, 0, 17, 10});
    c.FillRect({15, 0, 20, 10}, 0xFF00FF00);
    c.PopClip();
    c.Clear({0, 9, 20, 10});
    ExpectPixels(s, {{2, 2, 0xFFFF7F7F}, {7, 2, 0xFFFFFFFF}, {12, 2, 0x80000080}, {16, 2, 0xFF00FF00},
                     {18, 2, 0xFFFFFFFF}, {3, 9, 0}});
}

TEST(Canvas, GradientsRunFromEdgeToEdge)
{
    struct Case {
        bool vertical;
        Probe first, middle, last;
    };
    const Case cases[] = {
        {true, {5, 0, 0xFF000000}, {5, 50, 0xFF808080}, {5, 99, 0xFFFFFFFF}},
        {false, {0, 5, 0xFF000000}, {50, 5, 0xFF808080}, {99, 5, 0xFFFFFFFF}},
    };
    for (const Case& k : cases) {
        Surface s(100, 100);
        Canvas c(s);
        c.FillGradient({0, 0, 100, 100}, 0xFF000000, 0xFFFFFFFF, k.vertical);
        ExpectPixels(s, {k.first, k.middle, k.last}, 3);
    }
}

TEST(Canvas, RoundedRectanglesAndEllipsesLeaveTheirCornersEmpty)
{
    Surface s(100, 60);
    Canvas c(s);
    c.FillRoundRect({0, 0, 40, 40}, 10, 10, 0xFFFF0000);
    c.FillEllipse({50, 0, 40, 40}, 0xFF0000FF);
    c.DrawRoundRect({0.5, 45.5, 99, 14}, 4, 4, {0xFF00FF00, 1});
    ExpectPixels(s, {
                        {0, 0, 0},            // outside the rounded corner
                        {1, 1, 0},
                        {39, 39, 0},
                        {20, 20, 0xFFFF0000}, // inside
                        {20, 0, 0xFFFF0000},  // straight edge reaches the border
                        {0, 20, 0xFFFF0000},
                        {50, 0, 0},           // ellipse corner
                        {70, 20, 0xFF0000FF},
                        {70, 52, 0},          // inside the outline only
                        {50, 45, 0xFF00FF00}, // outline top edge
                    });
}

TEST(Canvas, PathsFillWhatTheyEnclose)
{
    Surface s(40, 40);
    Canvas c(s);
    Path triangle;
    triangle.MoveTo(0, 0).LineTo(40, 0).LineTo(0, 40).Close();
    c.FillPath(triangle, 0xFF00FF00);
    ExpectPixels(s, {{5, 5, 0xFF00FF00}, {35, 35, 0}, {30, 2, 0xFF00FF00}});
    c.FillPie({0, 0, 40, 40}, 0, 90, 0xFFFF0000);   // the lower right quarter of the circle
    ExpectPixels(s, {{28, 28, 0xFFFF0000}, {28, 12, 0}, {5, 5, 0xFF00FF00}});
}

// A 9×9 image of nine 3×3 cells, each with its own colour.
Surface Cells()
{
    Surface image(9, 9);
    Canvas c(image);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            c.FillSolidRect(Rect::FromSize(col * 3, row * 3, 3, 3), 0xFF000000 | (0x10 * (row * 3 + col + 1)) << 16);
    return image;
}

uint32_t CellColor(int row, int col) { return 0xFF000000 | (0x10 * (row * 3 + col + 1)) << 16; }

TEST(Canvas, NineGridKeepsCornersAndStretchesEdgesAndCentre)
{
    const Surface image = Cells();
    Surface s(40, 30);
    Canvas c(s);
    c.DrawNineGrid(image, image.Bounds(), {5, 5, 35, 25}, 3, 3, 3, 3);
    ExpectPixels(s, {
                        {5, 5, CellColor(0, 0)},   {7, 7, CellColor(0, 0)},   {34, 5, CellColor(0, 2)},
                        {5, 24, CellColor(2, 0)},  {34, 24, CellColor(2, 2)}, {20, 6, CellColor(0, 1)},
                        {6, 15, CellColor(1, 0)},  {33, 15, CellColor(1, 2)}, {20, 23, CellColor(2, 1)},
                        {20, 15, CellColor(1, 1)}, {12, 10, CellColor(1, 1)}, {4, 4, 0},
                        {35, 25, 0},
                    },
                 0);
}

TEST(Canvas, ImagesScaleCopyAndBlendWithConstantAlpha)
{
    const Surface image = Cells();
    Surface s(60, 20);
    Canvas c(s);
    c.FillSolidRect(s.Bounds(), 0xFF0000FF);
    c.DrawSurface(image, {3, 3, 6, 6}, {0, 0, 20, 20});          // centre cell stretched
    c.DrawSurface(image, {0, 0, 3, 3}, {20, 0, 40, 20}, 128);    // half over blue
    Surface transparent(3, 3);
    c.CopySurface(transparent, transparent.Bounds(), {40, 0});   // copying replaces alpha too
    const uint32_t half = 0xFF000000 | (((CellColor(0, 0) >> 16 & 0xFF) * 128 / 255) << 16) | 0x7F;
    ExpectPixels(s, {{1, 1, CellColor(1, 1)}, {18, 18, CellColor(1, 1)}, {30, 10, half}, {41, 1, 0}, {45, 1, 0xFF0000FF}});
}

TEST(Surface, PremultiplyRoundTripsAndPngSaves)
{
    EXPECT_EQ(Premultiply(0x80FF0000), 0x80800000u);
    EXPECT_EQ(Unpremultiply(0x80800000), 0x80FF0000u);
    EXPECT_EQ(Premultiply(0x00123456), 0u);
    EXPECT_EQ(Surface(0, 5).IsValid(), false);
    Surface s(3, 2);
    s.SetPixel(1, 1, 0xFF112233);
    EXPECT_EQ(s.Pixel(1, 1), 0xFF112233u);
    EXPECT_EQ(s.Pixel(7, 7), 0u);
    EXPECT_EQ(InkBox(s), (Rect{1, 1, 2, 2}));
    const std::string path = ::testing::TempDir() + "/surface.png";
    EXPECT_TRUE(s.SavePng(path));
    EXPECT_FALSE(s.SavePng("/nonexistent-folder/x.png"));
}

} // namespace
