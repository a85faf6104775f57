// Painting through the loop on the headless backend: what WM_PAINT draws is what the window shows,
// children included, and it can be saved as PNG.
#include "PixelProbe.h"
#include "RecordingWindow.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/Image.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

// Paints its whole client area in one colour, counting the pixels it was asked to repaint.
void PaintWith(RecordingWindow& window, WindowSystem& system, uint32_t color)
{
    window.On(WM_PAINT, [&window, &system, color](uintptr_t, intptr_t) {
        PaintSession paint = system.BeginPaint(window.handle);
        Canvas canvas(paint.GetSurface());
        canvas.FillSolidRect(paint.UpdateRect(), color);
        window.paints.push_back(paint.UpdateRect());
        return 0;
    });
}

TEST(Paint, WhatWmPaintDrawsIsWhatTheWindowShowsWithItsChildren)
{
    auto system = HeadlessBackend::CreateSystem();
    RecordingWindow main(*system, {WM_PAINT}), child(*system, {WM_PAINT}), glass(*system, {WM_PAINT});
    PaintWith(main, *system, 0xFFFF0000);
    PaintWith(child, *system, 0xFF0000FF);
    PaintWith(glass, *system, 0x80000000);
    main.CreateAt({100, 100, 300, 200});
    child.CreateAt({10, 10, 30, 30}, WS_CHILD | WS_VISIBLE, main.handle);
    glass.CreateAt({50, 10, 70, 30}, WS_CHILD | WS_VISIBLE, main.handle, 0, WS_EX_LAYERED);
    system->RunUntilIdle();

    const Surface shown = system->CaptureWindow(main.handle);
    ASSERT_EQ(shown.Width(), 200);
    EXPECT_EQ(shown.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(shown.Pixel(15, 15), 0xFF0000FFu);
    EXPECT_TRUE(VintoTest::Near(shown.Pixel(55, 15), 0xFF7F0000));   // half black over red

    // A partial invalidation repaints only its part, and the picture survives it.
    main.paints.clear();
    const Rect part{150, 50, 160, 60};
    system->InvalidateRect(main.handle, &part, false);
    system->RunUntilIdle();
    EXPECT_EQ(main.paints, (std::vector<Rect>{part}));
    EXPECT_EQ(system->CaptureWindow(main.handle).Pixel(0, 0), 0xFFFF0000u);

    const std::string png = ::testing::TempDir() + "/window.png";
    ASSERT_TRUE(shown.SavePng(png));
    auto reloaded = Image::LoadFile(png);
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->Frame(0).Pixel(15, 15), 0xFF0000FFu);
}

TEST(Paint, WindowIconsReachTheBackend)
{
    auto headless = std::make_unique<HeadlessBackend>();
    HeadlessBackend* backend = headless.get();
    WindowSystem system(std::move(headless));
    RecordingWindow main(system);
    main.CreateAt({0, 0, 100, 100});
    EXPECT_FALSE(system.SetWindowIcon(main.handle, Surface()));
    EXPECT_EQ(backend->IconSize(main.handle), (Size{0, 0}));
    EXPECT_TRUE(system.SetWindowIcon(main.handle, Surface(32, 32)));
    EXPECT_EQ(backend->IconSize(main.handle), (Size{32, 32}));
    EXPECT_FALSE(system.SetWindowIcon(main.handle + 100, Surface(16, 16)));
}

TEST(Paint, ResizingRepaintsTheWholeNewClientArea)
{
    auto system = HeadlessBackend::CreateSystem();
    RecordingWindow main(*system, {WM_PAINT});
    PaintWith(main, *system, 0xFF00FF00);
    main.CreateAt({0, 0, 100, 100});
    system->RunUntilIdle();
    main.paints.clear();
    system->MoveWindow(main.handle, {0, 0, 150, 120});
    system->RunUntilIdle();
    EXPECT_EQ(main.paints, (std::vector<Rect>{{0, 0, 150, 120}}));
    EXPECT_EQ(system->CaptureWindow(main.handle).Pixel(149, 119), 0xFF00FF00u);
}

} // namespace
