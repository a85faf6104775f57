// Dialogs on the headless window system: creation, closing with a result, the modal loop, the
// caption drag and the style wrappers.
#include "DialogFixture.h"

#include "vinto/paint/Manager.h"

#include <functional>

using namespace Vinto;
using VintoTest::DialogTest;
using VintoTest::ProbeDialog;

namespace {

TEST_F(DialogTest, EveryCloseOperationEndsTheModalLoopWithItsResult)
{
    struct Case {
        const char* name;
        std::function<void(MDialog&)> close;
        uint32_t result;
    };
    const Case cases[] = {
        {"DoOK", [](MDialog& d) { d.DoOK(); }, 1},         {"DoCancel", [](MDialog& d) { d.DoCancel(); }, 2},
        {"DoClose", [](MDialog& d) { d.DoClose(); }, 2},   {"DoYes", [](MDialog& d) { d.DoYes(); }, 6},
        {"DoNo", [](MDialog& d) { d.DoNo(); }, 7},
    };
    for (const Case& c : cases) {
        ProbeDialog modal;
        modal.Create(dialog->GetSafeHwnd(), L"modal", WS_POPUP, 0, {150, 150, 250, 250});
        const WindowHandle window = modal.GetSafeHwnd();
        c.close(modal);
        EXPECT_EQ(modal.ShowModal(SW_SHOW), c.result) << c.name;
        EXPECT_FALSE(system->IsWindow(window)) << c.name;
        EXPECT_TRUE(dialog->IsWindowEnabled()) << c.name;   // the owner is given back
    }
}

TEST_F(DialogTest, ModalLoopEndedByQuitPostsQuitAgain)
{
    ProbeDialog modal;
    modal.Create(dialog->GetSafeHwnd(), L"modal", WS_POPUP, 0, {150, 150, 250, 250});
    system->PostQuitMessage(3);
    EXPECT_EQ(modal.ShowModal(SW_SHOW), 0u);
    EXPECT_TRUE(dialog->IsWindowEnabled());
    int code = 0;
    EXPECT_FALSE(system->RunUntilIdle(&code));
    EXPECT_EQ(code, 3);
}

TEST_F(DialogTest, WithoutAWindowTheWrappersDoNothing)
{
    ProbeDialog none;
    EXPECT_EQ(none.ShowModal(SW_SHOW), 0xFFFFFFFFu);
    EXPECT_EQ(none.GetWindowTextLengthW(), -1);
    EXPECT_EQ(none.GetStyle(), 0u);
    EXPECT_EQ(none.PostMessageW(WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(none.GetClientRect(), Rect{});
}

TEST_F(DialogTest, CreatingAgainReturnsTheSameWindow)
{
    const WindowHandle first = dialog->GetSafeHwnd();
    EXPECT_EQ(dialog->Create(0, L"again", WS_POPUP, 0, {0, 0, 10, 10}), first);
    EXPECT_EQ(dialog->GetWindowTextW(), L"probe");
}

TEST_F(DialogTest, CreationDropsTheSystemFrame)
{
    const uint32_t style = dialog->GetStyle();
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
}

TEST_F(DialogTest, ModifyStyleReportsWhetherAnythingChanged)
{
    EXPECT_EQ(dialog->ModifyStyle(0, WS_CLIPSIBLINGS, SWP_FRAMECHANGED), 0);
    EXPECT_EQ(dialog->ModifyExStyle(0, WS_EX_TOOLWINDOW, 0), 1);
    EXPECT_EQ(dialog->GetExStyle() & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(dialog->ModifyExStyle(WS_EX_TOOLWINDOW, 0, 0), 1);
    EXPECT_EQ(dialog->ModifyExStyle(WS_EX_TOOLWINDOW, 0, 0), 0);
}

TEST_F(DialogTest, PressOnEmptyClientAreaDragsTheWindowButAPressOnAControlDoesNot)
{
    dialog->Add(5, {200, 200, 300, 250});
    EXPECT_EQ(Manager().GetCaptionRect(), (Rect{0, 0, 400, 300}));   // the whole client after the size

    Move({10, 10});
    Button({10, 10}, true);
    Move({30, 25});
    Button({30, 25}, false);
    EXPECT_EQ(dialog->GetWindowRect(), Rect::FromSize(120, 115, 400, 300));

    const Rect before = dialog->GetWindowRect();
    system->Input().MouseMove({before.left + 210, before.top + 210});
    Pump();
    system->Input().MouseButtonEvent(MouseButton::Left, true, {before.left + 210, before.top + 210});
    Pump();
    system->Input().MouseMove({before.left + 250, before.top + 240});
    Pump();
    system->Input().MouseButtonEvent(MouseButton::Left, false, {before.left + 250, before.top + 240});
    Pump();
    EXPECT_EQ(dialog->GetWindowRect(), before);
}

TEST_F(DialogTest, ControlNotificationsReachOnMessage)
{
    VintoTest::ProbeControl* c = dialog->Add(42, {0, 0, 10, 10});
    c->SendMessageW(2, 7, 1);
    EXPECT_EQ(dialog->notifications, (std::vector<VintoTest::Notification>{{42, 2, 7, 1}}));
}

TEST_F(DialogTest, BalloonAnchorLiesOnTheControlsBottomEdge)
{
    VintoTest::ProbeControl* c = dialog->Add(42, {10, 20, 110, 60});
    EXPECT_EQ(dialog->GetAirBladderPoint(nullptr, 1), (Point{0, 0}));
    EXPECT_EQ(dialog->GetAirBladderPoint(c, 0), (Point{110, 160}));
    EXPECT_EQ(dialog->GetAirBladderPoint(c, 1), (Point{160, 160}));
    EXPECT_EQ(dialog->GetAirBladderPoint(c, 2), (Point{210, 160}));
}

TEST_F(DialogTest, CentringKeepsTheWindowInsideTheWorkArea)
{
    dialog->CenterWindow();
    const Rect work = system->MonitorWorkArea({0, 0});
    const Rect r = dialog->GetWindowRect();
    EXPECT_EQ(r.left, (work.Width() - 400) / 2);
    EXPECT_EQ(r.top, (work.Height() - 300) / 2);

    ProbeDialog child;
    child.Create(dialog->GetSafeHwnd(), L"owned", WS_POPUP | WS_VISIBLE, 0, Rect::FromSize(0, 0, 600, 500));
    dialog->MoveWindow(Rect::FromSize(work.right - 200, 10, 400, 300));
    child.CenterWindow();
    const Rect c = child.GetWindowRect();
    EXPECT_EQ(c.right, work.right);   // clamped to the work area
    EXPECT_EQ(c.top, 0);
}

} // namespace

namespace {

TEST_F(DialogTest, MessageLoopDropsWhatArrivesWhileAltF4IsHeld)
{
    system->Input().Key(VK_MENU, true);
    system->Input().Key(VK_F4, true);
    dialog->PostMessageW(WM_CLOSE, 0, 0);
    system->PostQuitMessage(5);
    EXPECT_EQ(Vinto::Manager::MessageLoop(), 5);
    EXPECT_TRUE(system->IsWindow(dialog->GetSafeHwnd()));

    system->Input().Key(VK_F4, false);
    system->Input().Key(VK_MENU, false);
    dialog->PostMessageW(WM_CLOSE, 0, 0);
    system->PostQuitMessage(6);
    EXPECT_EQ(Vinto::Manager::MessageLoop(), 6);
    EXPECT_FALSE(system->IsWindow(dialog->GetSafeHwnd()));
}

} // namespace

namespace {

TEST_F(DialogTest, CreatesBuiltClassesByNameAndNullForTheRest)
{
    MControl* item = dialog->CreateControl(L"MenuItem", 7, {0, 0, 100, 20}, L"Item", 1, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->IsEnabled(), 1);   // "MenuItem" ignores the second flag
    EXPECT_EQ(item->GetManager(), &Manager());
    EXPECT_EQ(dialog->GetControl(7), item);
    EXPECT_EQ(dialog->GetControls().back(), item);

    MControl* area = dialog->CreateArea(L"MenuItem", 8, {0, 0, 10, 10}, L"", 1, 1);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(Manager().GetAreas().back(), area);

    const size_t before = dialog->GetControls().size();
    EXPECT_EQ(dialog->CreateControl(L"NoSuchClass", 9, {0, 0, 10, 10}, L"", 1, 1), nullptr);
    EXPECT_EQ(dialog->GetControls().size(), before);
}

} // namespace
