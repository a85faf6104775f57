// Menus and the balloon tip on a headless dialog: layout, a click that posts the menu message, a
// press elsewhere that closes silently, balloon placement by type and its timed hiding.
#include "DialogFixture.h"
#include "vinto/platform/PixelProbe.h"

#include <filesystem>

#include "vinto/paint/Manager.h"
#include "vinto/window/CKeyboardTips.h"
#include "vinto/window/LoadingWnd.h"
#include "vinto/window/MAirBladder.h"
#include "vinto/window/MShadow.h"
#include "vinto/window/MenuItem.h"
#include "vinto/window/MenuWnd.h"

using namespace Vinto;
using VintoTest::DialogTest;
using VintoTest::ProbeDialog;

namespace {

constexpr uint32_t kMenuMessage = WM_USER + 500;

class MenuOwner : public ProbeDialog {
public:
    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override
    {
        if (msg == kMenuMessage)
            picks.push_back({static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam)});
        return ProbeDialog::OnWindowMessage(msg, wParam, lParam);
    }
    std::vector<std::pair<uint32_t, int32_t>> picks;
};

class MenuTest : public DialogTest {
protected:
    void SetUp() override
    {
        system = HeadlessBackend::CreateSystem();
        auto owner = std::make_unique<MenuOwner>();
        menuOwner = owner.get();
        dialog = std::move(owner);
        ASSERT_NE(dialog->Create(0, L"owner", WS_POPUP | WS_VISIBLE, 0, Rect::FromSize(100, 100, 400, 300)), 0u);
        system->SetActiveWindow(dialog->GetSafeHwnd());
        Pump();
    }
    // A menu of three items and a separator at the screen point (600, 300), 200 wide.
    MenuWnd* OpenMenu()
    {
        auto* menu = new MenuWnd(dialog->GetOwnerObject());
        menu->AddMenu(L"Open", 11, L"", 0, 0);
        menu->AddSeparator(12, L"");
        menu->AddMenu(L"Hidden", 13, L"", 0, 0);
        menu->AddMenu(L"Exit", 14, L"", 0, 0);
        EXPECT_EQ(menu->Create(dialog->GetSafeHwnd(), {600, 300}, kMenuMessage, 200), 1);
        Pump();
        return menu;
    }
    void ClickScreen(Point p)
    {
        system->Input().MouseMove(p);
        Pump();
        system->Input().MouseButtonEvent(MouseButton::Left, true, p);
        Pump();
        system->Input().MouseButtonEvent(MouseButton::Left, false, p);
        Pump();
    }
    MenuOwner* menuOwner = nullptr;
};

TEST_F(MenuTest, HiddenItemLeavesNoGap)
{
    MenuWnd* menu = OpenMenu();
    menu->GetControl(13)->SetVisible(0);
    menu->SetMenuPoint();
    EXPECT_EQ(menu->GetControl(11)->GetRect(), (Rect{2, 6, 198, 31}));
    EXPECT_EQ(menu->GetControl(12)->GetRect(), (Rect{6, 32, 199, 33}));
    EXPECT_EQ(menu->GetControl(13)->GetRect(), Rect{});
    EXPECT_EQ(menu->GetControl(14)->GetRect(), (Rect{2, 35, 198, 60}));
    EXPECT_EQ(menu->GetWindowRect(), (Rect{600, 300, 800, 366}));
    menu->CloseWindow();
    Pump();
}

TEST_F(MenuTest, ClickOnAnItemPostsItsIdAndClosesTheMenu)
{
    MenuWnd* menu = OpenMenu();
    const WindowHandle window = menu->GetSafeHwnd();
    ClickScreen({650, 300 + 6 + 25 + 4 + 25 + 10});   // "Exit"
    EXPECT_EQ(menuOwner->picks, (std::vector<std::pair<uint32_t, int32_t>>{{0, 14}}));
    EXPECT_FALSE(system->IsWindow(window));
}

TEST_F(MenuTest, PressElsewhereClosesWithoutAMessage)
{
    MenuWnd* menu = OpenMenu();
    const WindowHandle window = menu->GetSafeHwnd();
    ClickScreen({150, 150});
    EXPECT_TRUE(menuOwner->picks.empty());
    EXPECT_FALSE(system->IsWindow(window));
}

TEST_F(MenuTest, ItemShowsHoverWhileThePointerIsOverIt)
{
    MenuWnd* menu = OpenMenu();
    auto* open = dynamic_cast<MenuItem*>(menu->GetControl(11));
    ASSERT_NE(open, nullptr);
    system->Input().MouseMove({650, 310});
    Pump();
    EXPECT_EQ(open->GetState(), MenuItem::Hover);
    system->Input().MouseMove({650, 300 + 6 + 25 + 4 + 25 + 10});
    Pump();
    EXPECT_EQ(open->GetState(), MenuItem::Normal);
    menu->CloseWindow();
    Pump();
}

TEST_F(DialogTest, BalloonRefusesAPointOnTheScreenEdge)
{
    EXPECT_EQ(dialog->SetAirBladderMsg(L"tip", {0, 300}, 1), 0);
    EXPECT_EQ(dialog->SetAirBladderMsg(L"tip", {300, 0}, 1), 0);
    EXPECT_EQ(Manager().GetAirBladder(), nullptr);
    EXPECT_EQ(dialog->SetAirBladderMsg(L"tip", {300, 300}, 1), 1);
    ASSERT_NE(Manager().GetAirBladder(), nullptr);
    EXPECT_TRUE(Manager().GetAirBladder()->IsWindowVisible());
}

TEST_F(DialogTest, BalloonIsPlacedByItsType)
{
    const Point a{500, 400};
    struct Case {
        int type;
        bool shown;
        std::function<bool(const Rect&)> placed;
    };
    const Case cases[] = {
        {1, true, [&](const Rect& r) { return r.left == a.x && r.top == a.y; }},
        {2, true, [&](const Rect& r) { return r.right == a.x && r.top == a.y - 27; }},
        {3, true, [&](const Rect& r) { return r.left == a.x - 25 && r.top == a.y; }},
        {4, true, [&](const Rect& r) { return r.bottom == a.y && std::abs((r.left + r.right) / 2 - a.x) <= 1; }},
        {5, true, [&](const Rect& r) { return r.left == a.x && r.top == a.y - 10 && r.bottom > r.top; }},
        {9, false, [](const Rect&) { return true; }},
    };
    for (const Case& c : cases) {
        dialog->SetAirBladderMsg(L"Balloon text", a, c.type);
        MAirBladder* balloon = Manager().GetAirBladder();
        ASSERT_NE(balloon, nullptr);
        EXPECT_EQ(balloon->IsWindowVisible() != 0, c.shown) << c.type;
        if (c.shown) {
            EXPECT_TRUE(c.placed(balloon->GetWindowRect())) << c.type;
        }
    }
}

TEST_F(DialogTest, BalloonHidesAfterFiveSecondsExceptTypeFour)
{
    for (int type : {1, 4}) {
        dialog->SetAirBladderMsg(L"Balloon", {300 + type, 300}, type);
        MAirBladder* balloon = Manager().GetAirBladder();
        system->GetClock().Advance(4999);
        Pump();
        EXPECT_TRUE(balloon->IsWindowVisible()) << type;
        system->GetClock().Advance(1);
        Pump();
        EXPECT_EQ(balloon->IsWindowVisible() != 0, type == 4) << type;
        Manager().ShowAirBladder(0, 0);
    }
}

TEST_F(DialogTest, SameBalloonMessageDoesNotMoveIt)
{
    dialog->SetAirBladderMsg(L"Balloon", {300, 300}, 1);
    MAirBladder* balloon = Manager().GetAirBladder();
    balloon->MoveWindow(Rect::FromSize(10, 10, 50, 20));
    Manager().SetAirBladderMsg(L"Balloon", {300, 300}, 1, 3);
    EXPECT_EQ(balloon->GetWindowRect(), Rect::FromSize(10, 10, 50, 20));
    Manager().SetAirBladderMsg(L"Other", {300, 300}, 1, 3);
    EXPECT_EQ(balloon->GetWindowRect().left, 300);
}

TEST_F(DialogTest, HideRequestOnlyForTheIdThatShowedTheBalloon)
{
    dialog->SetAirBladderMsg(L"Balloon", {300, 300}, 4);
    Manager().ShowAirBladder(1, 7);
    Manager().ShowAirBladder(0, 8);
    EXPECT_TRUE(Manager().GetAirBladder()->IsWindowVisible());
    Manager().ShowAirBladder(0, 7);
    EXPECT_FALSE(Manager().GetAirBladder()->IsWindowVisible());
}

} // namespace

namespace {

TEST_F(DialogTest, LoadingWindowAdvancesOneFrameEveryThreeTicks)
{
    const std::string skins = PELMARO_BINARY_DIR "/share/pelmaro";
    if (!std::filesystem::exists(skins + "/skins/theme1/loading/loading.gif"))
        GTEST_SKIP() << "skin assets not staged";
    const std::string previous = Vinto::Manager::GetProgramFolder();
    Vinto::Manager::SetProgramFolder(skins);
    LoadingWnd loading;
    ASSERT_EQ(loading.Show(dialog->GetSafeHwnd()), 1);
    EXPECT_TRUE(loading.IsWindowVisible());
    EXPECT_GE(loading.GetClientRect().Width(), LoadingWnd::kAnimationWidth);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loading.GetFrame(), 0);
        system->GetClock().Advance(LoadingWnd::kTickMs);
        Pump();
    }
    EXPECT_EQ(loading.GetFrame(), 1);
    EXPECT_FALSE(VintoTest::InkBox(system->CaptureWindow(loading.GetSafeHwnd())).IsEmpty());
    loading.Close();
    Vinto::Manager::SetProgramFolder(previous);
}

} // namespace

namespace {

TEST_F(DialogTest, ShadowFollowsItsOwnerWithinItsRanges)
{
    dialog->SetSize(5);
    MShadow* shadow = Manager().GetShadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->GetWindowRect(), dialog->GetWindowRect().Inflate(5, 5));
    EXPECT_TRUE(shadow->IsWindowVisible());
    EXPECT_EQ(shadow->GetExStyle() & WS_EX_TRANSPARENT, WS_EX_TRANSPARENT);

    dialog->MoveWindow(Rect::FromSize(300, 200, 400, 300));
    Pump();
    EXPECT_EQ(shadow->GetWindowRect(), Rect::FromSize(295, 195, 410, 310));

    dialog->SetSize(50);
    dialog->SetPosition(-40, 3);
    dialog->SetSharpness(99);
    dialog->SetDarkness(-1);
    EXPECT_EQ(shadow->GetSize(), 35);
    EXPECT_EQ(shadow->GetPosition(), (Point{-35, 3}));
    EXPECT_EQ(shadow->GetSharpness(), 35);
    EXPECT_EQ(shadow->GetDarkness(), 0);

    dialog->ShowWindow(SW_HIDE);
    Pump();
    EXPECT_FALSE(shadow->IsWindowVisible());
}

} // namespace

namespace {

TEST_F(DialogTest, KeyboardTipsShowThreeTextsAtThePoint)
{
    CKeyboardTips tips;
    tips.SetAirBladderMsg(L"Ctrl+Shift+1", L"Switch to profile 1", L"Hold to preview", {400, 500});
    EXPECT_TRUE(tips.IsWindowVisible());
    const Rect r = tips.GetWindowRect();
    EXPECT_EQ((Point{r.left, r.top}), (Point{400, 500}));
    EXPECT_GT(r.Height(), 3 * 12);
    Pump();
    EXPECT_FALSE(VintoTest::InkBox(system->CaptureWindow(tips.GetSafeHwnd())).IsEmpty());
    tips.SetAirBladderMsg(L"", L"", L"", {400, 500});
    EXPECT_FALSE(tips.IsWindowVisible());
}

} // namespace
