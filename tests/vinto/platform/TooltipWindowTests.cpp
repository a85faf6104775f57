// The tooltip window: where it shows, how big it gets, what it draws, and that it never takes
// the activation from the window it belongs to.
#include "PixelProbe.h"
#include "RecordingWindow.h"

#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/TooltipWindow.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

class TooltipWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.CreateAt({100, 100, 600, 400});
        ASSERT_TRUE(tip.Create(owner.handle));
        system->RunUntilIdle();
    }

    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
    RecordingWindow owner{*system};
    TooltipWindow tip{*system};
};

TEST_F(TooltipWindowTest, ShowsWhereThereIsRoomNextToTheTool)
{
    constexpr int kScreenRight = HeadlessBackend::kScreenWidth;
    constexpr int kWorkBottom = HeadlessBackend::kScreenHeight - HeadlessBackend::kPanelHeight;
    struct Case {
        const char* name;
        Rect tool;
        bool below;
    };
    const Case cases[] = {
        {"below the tool", {200, 200, 260, 230}, true},
        {"above the tool at the panel", {200, kWorkBottom - 20, 260, kWorkBottom - 2}, false},
        {"kept inside at the right edge", {kScreenRight - 10, 300, kScreenRight, 320}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tip.Show(L"Close", c.tool);
        system->RunUntilIdle();
        ASSERT_TRUE(tip.IsShown());
        const Rect r = system->GetWindowRect(tip.Handle());
        if (c.below)
            EXPECT_EQ(r.top, c.tool.bottom + TooltipWindow::kGap);
        else
            EXPECT_EQ(r.bottom, c.tool.top - TooltipWindow::kGap);
        EXPECT_LE(r.right, kScreenRight);
        EXPECT_LE(r.bottom, kWorkBottom);
        EXPECT_EQ(r.left, std::min(c.tool.left, kScreenRight - r.Width()));
    }
}

TEST_F(TooltipWindowTest, LongTextWrapsAtTheWidthLimit)
{
    const std::wstring longText = L"A rather long hint that tells the user much more than fits on one line of a tip";
    tip.Show(L"Short", {200, 200, 210, 210});
    const int oneLine = system->GetWindowRect(tip.Handle()).Height();
    tip.Show(longText, {200, 200, 210, 210});
    Rect r = system->GetWindowRect(tip.Handle());
    EXPECT_LE(r.Width(), TooltipWindow::kDefaultMaxWidth);
    EXPECT_GT(r.Height(), oneLine);

    tip.SetMaxWidth(120);
    tip.Show(longText, {200, 200, 210, 210});
    r = system->GetWindowRect(tip.Handle());
    EXPECT_LE(r.Width(), 120);
}

TEST_F(TooltipWindowTest, DrawsBorderBackgroundAndText)
{
    tip.Show(L"Minimise", {200, 200, 260, 230});
    system->RunUntilIdle();
    const Surface shown = system->CaptureWindow(tip.Handle());
    EXPECT_EQ(shown.Pixel(0, 0), TooltipWindow::kBorderColor);
    EXPECT_EQ(shown.Pixel(1, 1), TooltipWindow::kDefaultBackColor);
    Surface inner(shown.Width() - 2, shown.Height() - 2);
    for (int y = 0; y < inner.Height(); ++y)
        for (int x = 0; x < inner.Width(); ++x)
            inner.SetPixel(x, y, shown.Pixel(x + 1, y + 1));
    const Rect ink = VintoTest::InkBox(inner, TooltipWindow::kDefaultBackColor);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.left, 4);   // the left margin

    tip.SetBackColor(0xFFFFFFE0);
    tip.Show(L"Minimise", {200, 200, 260, 230});
    system->RunUntilIdle();
    EXPECT_EQ(system->CaptureWindow(tip.Handle()).Pixel(1, 1), 0xFFFFFFE0u);
}

TEST_F(TooltipWindowTest, HidesOnRequestAndNeverTakesTheActivation)
{
    system->SetActiveWindow(owner.handle);
    tip.Show(L"Maximise", {200, 200, 260, 230});
    system->RunUntilIdle();
    EXPECT_TRUE(tip.IsShown());
    EXPECT_EQ(system->GetActiveWindow(), owner.handle);
    EXPECT_TRUE(system->GetWindowLong(tip.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    tip.Hide();
    EXPECT_FALSE(tip.IsShown());
    tip.Show(L"Again", {200, 200, 260, 230});
    tip.Show(L"", {200, 200, 260, 230});
    EXPECT_FALSE(tip.IsShown());
    EXPECT_EQ(tip.Text(), L"");

    // The tip goes with its owner.
    system->DestroyWindow(owner.handle);
    EXPECT_EQ(tip.Handle(), 0u);
    tip.Show(L"Nothing to show on", {200, 200, 260, 230});
    EXPECT_FALSE(tip.IsShown());
}

} // namespace
