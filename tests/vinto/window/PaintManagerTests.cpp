// The paint manager on a headless dialog: focus and Tab order, modifiers, wheel notches,
// deactivation during a press, window timer ids, repaint requests and painting by pixels.
#include "DialogFixture.h"

#include "vinto/paint/Manager.h"
#include "vinto/platform/TooltipWindow.h"

#include <filesystem>
#include <set>

using namespace Vinto;
using VintoTest::DialogTest;
using VintoTest::ProbeControl;

namespace {

TEST_F(DialogTest, TabWalksTabStopsForwardAndShiftTabBackwards)
{
    ProbeControl* a = dialog->Add(1, {0, 0, 10, 10});
    ProbeControl* hidden = dialog->Add(2, {0, 0, 10, 10});
    ProbeControl* noStop = dialog->Add(3, {0, 0, 10, 10});
    ProbeControl* c = dialog->Add(4, {0, 0, 10, 10});
    for (ProbeControl* p : {a, hidden, c})
        p->SetTabStop(1);
    hidden->SetVisible(0);
    (void)noStop;

    std::vector<MControl*> seen;
    for (int i = 0; i < 3; ++i) {
        Key(VK_TAB, true);
        Key(VK_TAB, false);
        seen.push_back(Manager().GetFocusControl());
    }
    EXPECT_EQ(seen, (std::vector<MControl*>{a, c, a}));
    EXPECT_EQ(a->focusCalls, (std::vector<int>{1, 0, 1}));

    Key(VK_SHIFT, true);
    Key(VK_TAB, true);
    EXPECT_EQ(Manager().GetFocusControl(), c);
    Key(VK_SHIFT, false);

    // Ctrl+Tab is not consumed: it reaches the first control that takes keys.
    Key(VK_CONTROL, true);
    Key(VK_TAB, true);
    Key(VK_CONTROL, false);
    EXPECT_EQ(Manager().GetFocusControl(), c);
    ASSERT_FALSE(a->keys.empty());
    EXPECT_EQ(a->keys.back(), (std::pair<uint32_t, uint32_t>{VK_TAB, PaintManager::kCtrl}));
}

TEST_F(DialogTest, KeysCarryTheModifiersValue)
{
    ProbeControl* c = dialog->Add(1, {0, 0, 10, 10});
    struct Case {
        std::vector<uint32_t> held;
        uint32_t value;
    };
    const Case cases[] = {
        {{}, 0}, {{VK_SHIFT}, 16}, {{VK_CONTROL, VK_SHIFT}, 17}, {{VK_MENU, VK_SHIFT}, 18}, {{VK_MENU, VK_CONTROL}, 19},
    };
    for (const Case& k : cases) {
        for (uint32_t vk : k.held)
            Key(vk, true);
        Key('A', true);
        Key('A', false);
        for (uint32_t vk : k.held)
            Key(vk, false);
        EXPECT_EQ(c->keys.back(), (std::pair<uint32_t, uint32_t>{'A', k.value}));
    }
}

TEST_F(DialogTest, WheelTurnsWholeNotchesOnly)
{
    ProbeControl* c = dialog->Add(1, {0, 0, 200, 200});
    c->wantsWheel = true;
    Move({50, 50});
    struct Case {
        int delta;
        size_t downs;
        size_t ups;
    };
    const Case cases[] = {{-240, 2, 0}, {119, 0, 0}, {-119, 0, 0}, {120, 0, 1}, {360, 0, 3}};
    for (const Case& w : cases) {
        c->hits.clear();
        system->Input().Wheel(w.delta, Screen({50, 50}));
        Pump();
        EXPECT_EQ(c->Points("wheel-down").size(), w.downs) << w.delta;
        EXPECT_EQ(c->Points("wheel-up").size(), w.ups) << w.delta;
    }
}

TEST_F(DialogTest, DeactivationDuringAPressReleasesItOutsideEverything)
{
    ProbeControl* c = dialog->Add(1, {0, 0, 100, 100});
    Move({50, 50});
    Button({50, 50}, true);
    EXPECT_EQ(Manager().GetHoverControl(), c);
    system->SetActiveWindow(0);
    Pump();
    EXPECT_EQ(c->Points("up"), std::vector<Point>{Point({-1, -1})});
    EXPECT_EQ(Manager().GetHoverControl(), nullptr);
    EXPECT_FALSE(Manager().IsCaptured());
}

TEST_F(DialogTest, PressFocusesTheHoveredControlAndReleaseKeepsItWhenInside)
{
    ProbeControl* a = dialog->Add(1, {0, 0, 100, 100});
    ProbeControl* b = dialog->Add(2, {200, 0, 300, 100});
    Move({50, 50});
    Button({50, 50}, true);
    Button({50, 50}, false);
    EXPECT_EQ(Manager().GetFocusControl(), a);
    EXPECT_EQ(a->Points("down"), std::vector<Point>{Point({50, 50})});
    EXPECT_EQ(a->Points("up"), std::vector<Point>{Point({50, 50})});
    Move({250, 50});
    EXPECT_EQ(Manager().GetHoverControl(), b);
    Button({250, 50}, true);
    EXPECT_EQ(Manager().GetFocusControl(), b);
}

TEST_F(DialogTest, WindowTimerIdsStartAt17AndAvoidTheManagersOwn)
{
    std::vector<std::unique_ptr<ProbeControl>> owners;
    std::vector<uint32_t> ids;
    for (int i = 0; i < 300; ++i) {
        owners.push_back(std::make_unique<ProbeControl>(nullptr, 100 + i, Rect{}));
        ASSERT_EQ(Manager().SetTimer(owners.back().get(), 1, 1000), 1);
        ids.push_back(Manager().GetTimerId(owners.back().get(), 1));
        Manager().KillTimer(owners.back().get());   // frees the id for reuse
    }
    EXPECT_EQ(ids.front(), 17u);
    for (uint32_t id : ids) {
        EXPECT_NE(id, 0u);
        EXPECT_FALSE(id == 66 || id == 88 || id == 99) << id;
        EXPECT_LT(id, 240u);
    }
    // Ids in use are never handed out twice.
    ProbeControl first(nullptr, 1, Rect{}), second(nullptr, 2, Rect{});
    std::set<uint32_t> held;
    for (int key = 0; key < 200; ++key) {
        ASSERT_EQ(Manager().SetTimer(key % 2 ? &first : &second, key, 1000), 1);
        held.insert(Manager().GetTimerId(key % 2 ? &first : &second, key));
    }
    EXPECT_EQ(held.size(), 200u);
    Manager().KillTimer(&first);
    Manager().KillTimer(&second);
}

TEST_F(DialogTest, KilledTimerIsReArmedWithItsOldIdAndTicksTheControl)
{
    ProbeControl* c = dialog->Add(1, {0, 0, 10, 10});
    ASSERT_EQ(Manager().SetTimer(c, 7, 100), 1);
    const uint32_t id = Manager().GetTimerId(c, 7);
    EXPECT_EQ(Manager().SetTimer(c, 7, 100), 0);   // already running
    system->GetClock().Advance(100);
    Pump();
    EXPECT_EQ(c->ticks, 1);
    EXPECT_EQ(Manager().KillTimer(c, 7), 1);
    system->GetClock().Advance(500);
    Pump();
    EXPECT_EQ(c->ticks, 1);
    EXPECT_EQ(Manager().SetTimer(c, 7, 50), 1);
    EXPECT_EQ(Manager().GetTimerId(c, 7), id);
}

TEST_F(DialogTest, RepaintRequestRepaintsLaterOverlappingSiblingsToo)
{
    ProbeControl* before = dialog->Add(1, {0, 0, 60, 60});
    ProbeControl* target = dialog->Add(2, {50, 50, 100, 100});
    ProbeControl* above = dialog->Add(3, {90, 90, 150, 150});
    ProbeControl* apart = dialog->Add(4, {300, 0, 350, 50});
    Pump();
    for (ProbeControl* c : {before, target, above, apart})
        c->UpdateMemDC(1, 1);
    ASSERT_TRUE(system->GetUpdateRect(dialog->GetSafeHwnd()).IsEmpty());

    target->UpdateControl(1, 0);
    EXPECT_EQ(system->GetUpdateRect(dialog->GetSafeHwnd()), (Rect{50, 50, 150, 150}));
    EXPECT_EQ(target->GetUpdate(), 0);
    EXPECT_EQ(above->GetUpdate(), 0);
    EXPECT_EQ(before->GetUpdate(), 1);
    EXPECT_EQ(apart->GetUpdate(), 1);

    // A frame change (hover) keeps the control's own cache.
    Pump();
    target->UpdateMemDC(1, 1);
    target->UpdateControl(0, 0);
    EXPECT_EQ(target->GetUpdate(), 1);
}

TEST_F(DialogTest, PaintingFillsBorderAndBackThenDrawsControlsInOrder)
{
    dialog->Add(1, {10, 10, 60, 60}, 0xFFFF0000);
    dialog->Add(2, {40, 40, 90, 90}, 0xFF0000FF);
    dialog->InvalidateRect(nullptr, 0);
    Pump();
    const Surface shown = system->CaptureWindow(dialog->GetSafeHwnd());
    EXPECT_EQ(shown.Pixel(0, 0), ColorRefToArgb(Manager::GetSelectColorRef()));
    EXPECT_EQ(shown.Pixel(399, 150), ColorRefToArgb(Manager::GetSelectColorRef()));
    EXPECT_EQ(shown.Pixel(200, 200), 0xFF232323u);
    EXPECT_EQ(shown.Pixel(20, 20), 0xFFFF0000u);
    EXPECT_EQ(shown.Pixel(50, 50), 0xFF0000FFu);   // the later sibling paints over
}

// Writes one pixel with colour but no alpha, as text drawn without alpha would.
class AlphaLessPixel : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    void DrawControl(Canvas& canvas, const Rect&) override
    {
        cairo_surface_t* target = cairo_get_target(canvas.Native());
        cairo_surface_flush(target);
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(target) +
                                                5 * cairo_image_surface_get_stride(target));
        row[5] = 0x00123456;
        row[6] = 0x00000000;
        cairo_surface_mark_dirty(target);
    }
};

TEST_F(DialogTest, LayeredWindowMakesColouredPixelsWithoutAlphaOpaque)
{
    dialog->SetLayeredWindow(1);
    EXPECT_EQ(dialog->GetExStyle() & WS_EX_LAYERED, WS_EX_LAYERED);
    dialog->AddControl(new AlphaLessPixel(dialog->GetOwnerObject(), 1, {0, 0, 10, 10}));
    dialog->InvalidateRect(nullptr, 0);
    Pump();
    const Surface shown = system->CaptureWindow(dialog->GetSafeHwnd());
    EXPECT_EQ(shown.Pixel(5, 5), 0xFF123456u);
    EXPECT_EQ(shown.Pixel(6, 5), 0x00000000u);
}

TEST_F(DialogTest, StatusOverlayFadesAfterCompletion)
{
    Manager().SetProgress(50, L"Working", Rect{});
    EXPECT_EQ(Manager().GetOverlayShown(), 0);   // a big jump is stepped
    for (int i = 0; i < 40; ++i) {
        system->GetClock().Advance(10);
        Pump();
    }
    EXPECT_EQ(Manager().GetOverlayShown(), 50);
    Manager().SetProgress(53, L"Working", Rect{});
    EXPECT_EQ(Manager().GetOverlayShown(), 53);   // a small one at once
    Manager().SetProgress(100, L"Done", Rect{});
    for (int i = 0; i < 40; ++i) {
        system->GetClock().Advance(50);
        Pump();
    }
    EXPECT_EQ(Manager().GetOverlayAlpha(), 0);
}

TEST_F(DialogTest, SizeLimitsAndMaximisedAreaAreReported)
{
    Manager().SetWindowMixSize(300, 200);
    Manager().SetWindowMaxSize(0, 900);
    MinMaxInfo info;
    dialog->SendMessageW(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
    EXPECT_EQ(info.minTrackSize, (Point{300, 200}));
    EXPECT_EQ(info.maxTrackSize, (Point{0, 900}));
    const Rect work = system->MonitorWorkArea({0, 0});
    EXPECT_EQ(info.maxSize, (Point{work.Width(), work.Height()}));
}

TEST_F(DialogTest, RemovedControlLeavesNoDanglingReferences)
{
    ProbeControl* c = dialog->Add(1, {0, 0, 100, 100});
    Move({50, 50});
    Button({50, 50}, true);
    Button({50, 50}, false);
    ASSERT_EQ(Manager().GetFocusControl(), c);
    Manager().SetTimer(c, 1, 10);
    c->SetRunTimer(1);
    c->AddMTimer();
    Manager().RemoveControl(c);
    EXPECT_EQ(Manager().GetFocusControl(), nullptr);
    EXPECT_EQ(Manager().GetHoverControl(), nullptr);
    system->GetClock().Advance(100);
    Move({60, 60});
    Pump();
}

} // namespace

namespace {

TEST_F(DialogTest, HoverShowsTheControlsTooltipAndLeavingHidesIt)
{
    ProbeControl* tipped = dialog->Add(1, {0, 0, 100, 100});
    dialog->Add(2, {200, 0, 300, 100});
    tipped->SetTooltip(L"Polling rate");
    Move({50, 50});
    EXPECT_EQ(Manager().GetTooltipText(), L"Polling rate");
    EXPECT_EQ(Manager().GetTooltipCtrlID(), 1);
    ASSERT_NE(Manager().GetTooltipWindow(), nullptr);
    EXPECT_TRUE(Manager().GetTooltipWindow()->IsShown());
    Move({250, 50});
    EXPECT_EQ(Manager().GetTooltipText(), L"");
    EXPECT_EQ(Manager().GetTooltipCtrlID(), 0);
    EXPECT_FALSE(Manager().GetTooltipWindow()->IsShown());
}

TEST_F(DialogTest, CaretBlinksOnlyForAFocusedOwner)
{
    ProbeControl* edit = dialog->Add(1, {0, 0, 100, 100}, 0xFF000000);
    system->SetFocus(dialog->GetSafeHwnd());
    Manager().SetFocusControl(edit);
    Manager().CreateCaret(2, 10);
    Manager().SetCaretPos(edit, 0xFFFFFFFF, 20, 20);
    Manager().ShowCaret(1);
    Pump();
    EXPECT_EQ(system->CaptureWindow(dialog->GetSafeHwnd()).Pixel(20, 25) >> 24, 0xFEu);
    system->GetClock().Advance(system->GetCaretBlinkTime());
    Pump();
    EXPECT_EQ(system->CaptureWindow(dialog->GetSafeHwnd()).Pixel(20, 25), 0xFF000000u);

    // Without focus the caret is neither drawn nor blinking.
    Manager().SetFocusControl(nullptr);
    Manager().ShowCaret(1);
    Pump();
    EXPECT_EQ(system->CaptureWindow(dialog->GetSafeHwnd()).Pixel(20, 25), 0xFF000000u);
}

} // namespace

namespace {

TEST_F(DialogTest, BackgroundImageIsDrawnAtItsSizeOrStretchedAsANineGrid)
{
    const auto folder = std::filesystem::path(::testing::TempDir()) / "vinto-back";
    std::filesystem::create_directories(folder / "skins" / "theme1");
    Surface back(20, 20);
    {
        Canvas c(back);
        c.FillSolidRect(back.Bounds(), 0xFF0000FF);
        c.FillSolidRect({4, 4, 16, 16}, 0xFF00FF00);
    }
    ASSERT_TRUE(back.SavePng((folder / "skins" / "theme1" / "back.png").string()));
    const std::string previous = Vinto::Manager::GetProgramFolder();
    Vinto::Manager::SetProgramFolder(folder.string());
    EXPECT_EQ(dialog->LoadBKImage(L"missing.png"), 0);
    ASSERT_EQ(dialog->LoadBKImage(L"back.png"), 1);
    Vinto::Manager::SetProgramFolder(previous);

    struct Case {
        int mode;
        Point at;
        uint32_t color;
    };
    const Case cases[] = {
        {0, {10, 10}, 0xFF00FF00}, {0, {2, 2}, 0xFF0000FF}, {0, {200, 200}, 0},   // nothing beyond the image
        {1, {200, 150}, 0xFF00FF00}, {1, {398, 150}, 0xFF0000FF}, {1, {200, 2}, 0xFF0000FF},
    };
    for (const Case& c : cases) {
        dialog->SetBackMode(c.mode, 4);
        dialog->InvalidateRect(nullptr, 0);
        Pump();
        const uint32_t shown = system->CaptureWindow(dialog->GetSafeHwnd()).Pixel(c.at.x, c.at.y);
        EXPECT_EQ(shown, c.color) << c.mode << " " << c.at.x << "," << c.at.y;
    }
}

} // namespace
