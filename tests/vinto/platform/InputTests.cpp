// Input as windows see it: targets, capture, double clicks, hover and leave, keys, activation,
// focus, and moving a window by its caption.
#include "RecordingWindow.h"

#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::Received;
using VintoTest::RecordingWindow;

namespace {

const std::set<uint32_t> kMouse = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                   WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MOUSEWHEEL};

class InputTest : public ::testing::Test {
protected:
    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
    InputRouter& input = system->Input();
};

TEST_F(InputTest, MouseMessagesCarryClientPointsAndGoToTheCaptureWindow)
{
    RecordingWindow a(*system, kMouse), b(*system, kMouse);
    a.CreateAt({100, 100, 300, 200});
    b.CreateAt({400, 100, 600, 200});
    system->RunUntilIdle();

    input.MouseMove({110, 120});
    input.MouseButtonEvent(MouseButton::Left, true, {110, 120});
    system->SetCapture(a.handle);
    input.MouseMove({450, 150});        // over b, but a holds the capture
    input.MouseButtonEvent(MouseButton::Left, false, {450, 150});
    system->ReleaseCapture();
    input.MouseMove({451, 151});
    system->RunUntilIdle();

    const std::vector<Received> expectedA = {
        {a.handle, WM_MOUSEMOVE, 0, MakeLParam(10, 20)},
        {a.handle, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 20)},
        {a.handle, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(350, 50)},
        {a.handle, WM_LBUTTONUP, 0, MakeLParam(350, 50)},
    };
    EXPECT_EQ(a.log, expectedA);
    const std::vector<Received> expectedB = {{b.handle, WM_MOUSEMOVE, 0, MakeLParam(51, 51)}};
    EXPECT_EQ(b.log, expectedB);
}

TEST_F(InputTest, CaptureChangesAreAnnounced)
{
    RecordingWindow a(*system, {WM_CAPTURECHANGED}), b(*system, {WM_CAPTURECHANGED});
    a.CreateAt({0, 0, 10, 10});
    b.CreateAt({20, 0, 30, 10});
    system->SetCapture(a.handle);
    EXPECT_EQ(system->SetCapture(b.handle), a.handle);
    system->ReleaseCapture();
    EXPECT_EQ(system->GetCapture(), 0u);
    EXPECT_EQ(a.log, (std::vector<Received>{{a.handle, WM_CAPTURECHANGED, 0, static_cast<intptr_t>(b.handle)}}));
    EXPECT_EQ(b.log, (std::vector<Received>{{b.handle, WM_CAPTURECHANGED, 0, 0}}));
}

TEST_F(InputTest, SecondPressBecomesADoubleClickOnlyWhenQuickCloseAndWanted)
{
    struct Case {
        const char* name;
        uint32_t classStyle;
        uint64_t gap;
        int dx;
        MouseButton second;
        uint32_t expected;
    };
    const Case cases[] = {
        {"quick and close", CS_DBLCLKS, 200, 1, MouseButton::Left, WM_LBUTTONDBLCLK},
        {"at the limit", CS_DBLCLKS, 500, 2, MouseButton::Left, WM_LBUTTONDBLCLK},
        {"too slow", CS_DBLCLKS, 501, 0, MouseButton::Left, WM_LBUTTONDOWN},
        {"too far", CS_DBLCLKS, 100, 3, MouseButton::Left, WM_LBUTTONDOWN},
        {"other button", CS_DBLCLKS, 100, 0, MouseButton::Right, WM_RBUTTONDOWN},
        {"right twice", CS_DBLCLKS, 100, 0, MouseButton::Right, WM_RBUTTONDBLCLK},
        {"class without double clicks", 0, 100, 0, MouseButton::Left, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        RecordingWindow w(*system, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK});
        w.CreateAt({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, c.classStyle);
        const MouseButton first = c.expected == WM_RBUTTONDBLCLK ? MouseButton::Right : MouseButton::Left;
        input.Click({50, 50}, first);
        system->GetClock().Advance(c.gap);
        input.Click({50 + c.dx, 50}, c.second);
        system->RunUntilIdle();
        ASSERT_EQ(w.log.size(), 2u) << c.name;
        EXPECT_EQ(w.log[1].message, c.expected) << c.name;
        system->DestroyWindow(w.handle);
        system->GetClock().Advance(10000);
    }
}

TEST_F(InputTest, ThirdQuickPressStartsANewSequence)
{
    RecordingWindow w(*system, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    w.CreateAt({0, 0, 100, 100});
    for (int i = 0; i < 4; ++i) {
        input.Click({10, 10});
        system->GetClock().Advance(50);
    }
    system->RunUntilIdle();
    EXPECT_EQ(w.Messages(), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

TEST_F(InputTest, LeaveAndHoverAreReportedOnceAfterTracking)
{
    RecordingWindow w(*system, {WM_MOUSELEAVE, WM_MOUSEHOVER});
    w.CreateAt({100, 100, 200, 200});
    input.MouseMove({150, 150});
    system->TrackMouseEvent(w.handle, TME_LEAVE | TME_HOVER, 400);
    system->GetClock().Advance(300);
    input.MouseMove({152, 151});   // inside the hover slop: the wait goes on
    system->GetClock().Advance(100);
    system->RunUntilIdle();
    input.MouseMove({250, 150});
    input.MouseMove({260, 150});
    system->GetClock().Advance(1000);
    system->RunUntilIdle();
    const std::vector<Received> expected = {
        {w.handle, WM_MOUSEHOVER, 0, MakeLParam(52, 51)},
        {w.handle, WM_MOUSELEAVE, 0, 0},
    };
    EXPECT_EQ(w.log, expected);

    // Tracking asked for while the pointer is elsewhere reports the leave at once.
    w.log.clear();
    system->TrackMouseEvent(w.handle, TME_LEAVE, 400);
    system->RunUntilIdle();
    EXPECT_EQ(w.Messages(), (std::vector<uint32_t>{WM_MOUSELEAVE}));
}

TEST_F(InputTest, HoverWaitRestartsWhenThePointerMovesOn)
{
    RecordingWindow w(*system, {WM_MOUSEHOVER});
    w.CreateAt({100, 100, 200, 200});
    input.MouseMove({150, 150});
    system->TrackMouseEvent(w.handle, TME_HOVER, 400);
    system->GetClock().Advance(300);
    input.MouseMove({160, 150});
    system->GetClock().Advance(300);
    system->RunUntilIdle();
    EXPECT_TRUE(w.log.empty());
    system->GetClock().Advance(100);
    system->RunUntilIdle();
    EXPECT_EQ(w.log, (std::vector<Received>{{w.handle, WM_MOUSEHOVER, 0, MakeLParam(60, 50)}}));
}

TEST_F(InputTest, KeysBecomeKeyAndCharMessagesForTheFocusWindow)
{
    RecordingWindow w(*system, {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR});
    w.CreateAt({0, 0, 100, 100});
    ASSERT_EQ(system->GetFocus(), w.handle);
    input.Key('A', true, U'a');
    input.Key('A', true, U'a');   // auto-repeat
    input.Key('A', false);
    input.Key(VK_MENU, true);
    input.Key(VK_F4, true);
    input.Key(VK_F4, false);
    input.Key(VK_MENU, false);
    system->RunUntilIdle();
    const intptr_t up = static_cast<intptr_t>(0xC0000001u);
    const intptr_t altDown = static_cast<intptr_t>(0x20000001u);
    const intptr_t altUp = static_cast<intptr_t>(0xE0000001u);
    const std::vector<Received> expected = {
        {w.handle, WM_KEYDOWN, 'A', 1},
        {w.handle, WM_CHAR, 'a', 1},
        {w.handle, WM_KEYDOWN, 'A', 0x40000001},
        {w.handle, WM_CHAR, 'a', 0x40000001},
        {w.handle, WM_KEYUP, 'A', up},
        {w.handle, WM_SYSKEYDOWN, VK_MENU, altDown},
        {w.handle, WM_SYSKEYDOWN, VK_F4, altDown},
        {w.handle, WM_SYSKEYUP, VK_F4, altUp},
        {w.handle, WM_SYSKEYUP, VK_MENU, altUp},
    };
    EXPECT_EQ(w.log, expected);
    EXPECT_GE(system->GetKeyState(VK_MENU), 0);
}

TEST_F(InputTest, WheelGoesToTheWindowUnderThePointerWithScreenPointAndModifiers)
{
    RecordingWindow w(*system, {WM_MOUSEWHEEL});
    w.CreateAt({100, 100, 200, 200});
    input.Key(VK_CONTROL, true);
    input.Wheel(-240, {150, 160});
    input.Wheel(120, {10, 10});   // over no window
    system->RunUntilIdle();
    const std::vector<Received> expected = {
        {w.handle, WM_MOUSEWHEEL, MakeWParam(static_cast<int>(MK_CONTROL), -240), MakeLParam(150, 160)}};
    EXPECT_EQ(w.log, expected);
    EXPECT_EQ(static_cast<int16_t>(HighWord(w.log[0].wParam)), -240);
}

TEST_F(InputTest, PressActivatesAndMovesFocusAndAPressOutsideDeactivatesAPopup)
{
    const std::set<uint32_t> watched{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS};
    RecordingWindow main(*system, watched), popup(*system, watched);
    main.CreateAt({0, 0, 500, 500});
    popup.CreateAt({600, 0, 700, 100}, WS_POPUP | WS_VISIBLE, main.handle);
    EXPECT_EQ(system->GetActiveWindow(), popup.handle);
    main.log.clear();
    popup.log.clear();

    input.Click({1000, 900});   // nothing there: the popup loses activation
    system->RunUntilIdle();
    const std::vector<Received> popupExpected = {
        {popup.handle, WM_NCACTIVATE, 0, 0},
        {popup.handle, WM_ACTIVATE, WA_INACTIVE, 0},
        {popup.handle, WM_KILLFOCUS, 0, 0},
    };
    EXPECT_EQ(popup.log, popupExpected);
    EXPECT_EQ(system->GetActiveWindow(), 0u);

    input.Click({10, 10});
    system->RunUntilIdle();
    const std::vector<Received> mainExpected = {
        {main.handle, WM_NCACTIVATE, 1, 0},
        {main.handle, WM_ACTIVATE, WA_CLICKACTIVE, 0},
        {main.handle, WM_SETFOCUS, 0, 0},
    };
    EXPECT_EQ(main.log, mainExpected);
    EXPECT_EQ(system->GetFocus(), main.handle);
}

TEST_F(InputTest, FocusMovesBetweenChildWindowsWithKillBeforeSet)
{
    const std::set<uint32_t> watched{WM_SETFOCUS, WM_KILLFOCUS};
    RecordingWindow main(*system, watched), edit(*system, watched);
    main.CreateAt({0, 0, 500, 500});
    edit.CreateAt({10, 10, 110, 40}, WS_CHILD | WS_VISIBLE, main.handle);
    main.log.clear();
    EXPECT_EQ(system->SetFocus(edit.handle), main.handle);
    EXPECT_EQ(main.log, (std::vector<Received>{{main.handle, WM_KILLFOCUS, edit.handle, 0}}));
    EXPECT_EQ(edit.log, (std::vector<Received>{{edit.handle, WM_SETFOCUS, main.handle, 0}}));
    input.Key('1', true, U'1');
    system->RunUntilIdle();
    EXPECT_EQ(system->GetFocus(), edit.handle);

    // Hiding the child gives the focus up; disabling works the same way.
    system->ShowWindow(edit.handle, SW_HIDE);
    EXPECT_EQ(system->GetFocus(), 0u);
}

TEST_F(InputTest, CaptionDragMovesTheWindowUntilTheButtonGoesUp)
{
    RecordingWindow w(*system, {WM_MOVE});
    w.On(WM_LBUTTONDOWN, [&](uintptr_t, intptr_t l) {
        const Point client{SignedLow(l), SignedHigh(l)};
        const Point screen = system->ClientToScreen(w.handle, client);
        return system->SendMessage(w.handle, WM_NCLBUTTONDOWN, HTCAPTION, MakeLParam(screen.x, screen.y));
    });
    w.CreateAt({100, 100, 300, 200});
    input.MouseMove({150, 110});
    input.MouseButtonEvent(MouseButton::Left, true, {150, 110});
    // The pointer moves on before the press is handled: the move catches up when it starts.
    input.MouseMove({170, 140});
    system->RunUntilIdle();
    EXPECT_EQ(system->GetWindowRect(w.handle), (Rect{120, 130, 320, 230}));
    input.MouseMove({250, 310});
    input.MouseButtonEvent(MouseButton::Left, false, {250, 310});
    input.MouseMove({400, 400});
    system->RunUntilIdle();
    EXPECT_EQ(system->GetWindowRect(w.handle), (Rect{200, 300, 400, 400}));
}

TEST_F(InputTest, MaximiseFillsTheWorkAreaAndRestoreBringsTheRectangleBack)
{
    RecordingWindow w(*system, {WM_SIZE, WM_GETMINMAXINFO});
    w.CreateAt({100, 100, 400, 300});
    w.log.clear();
    system->ShowWindow(w.handle, SW_MAXIMIZE);
    EXPECT_TRUE(system->IsZoomed(w.handle));
    EXPECT_EQ(system->GetWindowRect(w.handle), (Rect{0, 0, 1920, 1040}));
    system->ShowWindow(w.handle, SW_RESTORE);
    EXPECT_EQ(system->GetWindowRect(w.handle), (Rect{100, 100, 400, 300}));
    system->ShowWindow(w.handle, SW_MINIMIZE);
    EXPECT_TRUE(system->IsIconic(w.handle));
    system->ShowWindow(w.handle, SW_RESTORE);
    EXPECT_FALSE(system->IsIconic(w.handle));
    const std::vector<uint32_t> expected = {WM_GETMINMAXINFO, WM_SIZE, WM_SIZE, WM_SIZE, WM_SIZE};
    EXPECT_EQ(w.Messages(), expected);
    EXPECT_EQ(w.log[1].wParam, SIZE_MAXIMIZED);
    EXPECT_EQ(w.log[1].lParam, MakeLParam(1920, 1040));
    EXPECT_EQ(w.log[2].wParam, SIZE_RESTORED);
    EXPECT_EQ(w.log[3].wParam, SIZE_MINIMIZED);
    // Back from the task bar at the same size still announces the size.
    EXPECT_EQ(w.log[4].wParam, SIZE_RESTORED);
    EXPECT_EQ(w.log[4].lParam, MakeLParam(300, 200));
}

TEST_F(InputTest, ChildWindowsAreFoundAndMappedThroughTheirParents)
{
    RecordingWindow main(*system, kMouse), child(*system, kMouse);
    main.CreateAt({100, 100, 500, 400});
    child.CreateAt({20, 30, 120, 60}, WS_CHILD | WS_VISIBLE, main.handle);
    EXPECT_EQ(system->WindowFromPoint({125, 135}), child.handle);
    EXPECT_EQ(system->WindowFromPoint({119, 135}), main.handle);
    EXPECT_EQ(system->ClientToScreen(child.handle, {1, 2}), (Point{121, 132}));
    EXPECT_EQ(system->ScreenToClient(child.handle, {121, 132}), (Point{1, 2}));
    EXPECT_EQ(system->GetWindowRect(child.handle), (Rect{120, 130, 220, 160}));
}

} // namespace
