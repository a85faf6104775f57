// The control tree without a window: routing of mouse, wheel, keys and ticks, the repaint
// protocol, searching, and creation by class name.
#include "ProbeControl.h"

#include "vinto/core/ControlFactory.h"
#include "vinto/window/MPanel.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::Notification;
using VintoTest::ProbeControl;
using VintoTest::RecordingOwner;
using VintoTest::UpdateRequest;

namespace {

// A container that moves every point 50 pixels down before its children see it.
class ShiftingContainer : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    int OnMousePointChange(Point& p) override
    {
        p.y += 50;
        return 1;
    }
};

ProbeControl* AddProbe(MControl& parent, uint32_t id, Rect rect, int visible = 1, int enabled = 1)
{
    auto* c = new ProbeControl(&parent, id, rect, 0xFF808080, visible, enabled);
    parent.AddChild(1, c);
    return c;
}

TEST(ControlTree, ScrollBarIdsSeeTheUnshiftedPointAndOtherChildrenTheShiftedOne)
{
    RecordingOwner owner;
    ShiftingContainer box(&owner, 10, {0, 0, 400, 400});
    for (uint32_t id : {1u, 2u, 3u}) {
        ProbeControl* child = AddProbe(box, id, {0, 0, 400, 400});
        box.OnLButtonDown(0, {20, 20});
        box.OnLButtonUp(0, {20, 20});
        const Point expected = id == 3 ? Point{20, 70} : Point{20, 20};
        EXPECT_EQ(child->Points("down"), std::vector<Point>{expected}) << "id " << id;
        box.RemoveControl(child);
    }
}

TEST(ControlTree, ScrolledPanelTestsChildrenInContentCoordinates)
{
    RecordingOwner owner;
    MPanel panel(&owner, 10, {0, 100, 200, 300}, 1);
    auto* child = new ProbeControl(&panel, 20, {0, 100, 200, 400});
    panel.AddChild(1, child);
    panel.SetControlRect({0, 100, 200, 300});
    ASSERT_EQ(panel.GetScrollVertical()->GetRange(), 300);
    EXPECT_TRUE(panel.GetScrollVertical()->IsVisible());
    panel.GetScrollVertical()->SetPos(150);

    panel.OnLButtonDown(0, {10, 110});
    EXPECT_EQ(child->Points("down"), std::vector<Point>{Point({10, 160})});
}

TEST(ControlTree, HiddenAndDisabledChildrenDoNotTakeThePress)
{
    struct Case {
        int visible;
        int enabled;
        bool childPressed;
        bool childMoved;
    };
    const Case cases[] = {
        {1, 1, true, true},
        {1, 0, false, true},    // a disabled control still shows hover
        {0, 1, false, false},   // an invisible one sees nothing
    };
    for (const Case& c : cases) {
        RecordingOwner owner;
        ProbeControl parent(&owner, 10, {0, 0, 100, 100});
        ProbeControl* child = AddProbe(parent, 11, {10, 10, 50, 50}, c.visible, c.enabled);
        parent.OnMouseMove(0, {20, 20});
        parent.OnLButtonDown(0, {20, 20});
        EXPECT_EQ(!child->Points("down").empty(), c.childPressed) << c.visible << c.enabled;
        EXPECT_EQ(!child->Points("move").empty(), c.childMoved) << c.visible << c.enabled;
        EXPECT_EQ(parent.Points("down").empty(), c.childPressed) << c.visible << c.enabled;
        EXPECT_EQ(child->PtInRect({20, 20}), c.visible);
    }
}

TEST(ControlTree, DoubleClickIsASecondPressUnlessWanted)
{
    for (int wants : {0, 1}) {
        RecordingOwner owner;
        ProbeControl parent(&owner, 10, {0, 0, 100, 100});
        ProbeControl* child = AddProbe(parent, 11, {10, 10, 50, 50});
        child->SetWantsDoubleClicks(wants);
        parent.OnLButtonDown(0, {20, 20});
        parent.OnLButtonUp(0, {20, 20});
        parent.OnLButtonDblClk(0, {20, 20});
        EXPECT_EQ(child->Points("down").size(), wants ? 1u : 2u);
        EXPECT_EQ(child->Points("dblclk").size(), wants ? 1u : 0u);
    }
}

TEST(ControlTree, MoveMakesTheLastContainingChildHotAndTellsTheOthers)
{
    RecordingOwner owner;
    ProbeControl parent(&owner, 10, {0, 0, 100, 100});
    ProbeControl* under = AddProbe(parent, 11, {0, 0, 60, 60});
    ProbeControl* over = AddProbe(parent, 12, {40, 40, 100, 100});
    EXPECT_EQ(parent.OnMouseMove(0, {50, 50}), 1);
    EXPECT_EQ(parent.GetHotChild(), over);
    EXPECT_EQ(under->Points("move").size(), 1u);
    // Leaving the hot child: every child hears of the move.
    parent.OnMouseMove(0, {10, 10});
    EXPECT_EQ(parent.GetHotChild(), under);
    EXPECT_EQ(over->Points("move").back(), (Point{10, 10}));
}

TEST(ControlTree, KeysGoToTheDeepestFocusedControl)
{
    RecordingOwner owner;
    ProbeControl top(&owner, 10, {0, 0, 100, 100});
    ProbeControl* middle = AddProbe(top, 11, {0, 0, 100, 100});
    ProbeControl* leaf = AddProbe(*middle, 12, {0, 0, 50, 50});
    middle->SetControlFocus(1);
    leaf->SetControlFocus(1);
    EXPECT_EQ(top.OnKeyDown('A', 1, 17), 1);
    EXPECT_EQ(leaf->keys, (std::vector<std::pair<uint32_t, uint32_t>>{{'A', 17}}));
    EXPECT_TRUE(middle->keys.empty());
    EXPECT_TRUE(top.keys.empty());

    leaf->SetVisible(0, 0);
    EXPECT_EQ(top.OnKeyDown('B', 1, 0), 0);
    EXPECT_EQ(leaf->keys.size(), 1u);
}

TEST(ControlTree, VisibilityAndGeometryChangesReportToTheOwner)
{
    RecordingOwner owner;
    ProbeControl c(&owner, 10, {10, 10, 50, 50});
    c.SetVisible(1);
    EXPECT_TRUE(owner.updates.empty());
    c.SetVisible(0);
    EXPECT_EQ(owner.updates, (std::vector<UpdateRequest>{{{10, 10, 50, 50}, 1, &c}}));
    owner.updates.clear();
    c.SetRect(20, 20, 40, 40);   // invisible: no report
    EXPECT_TRUE(owner.updates.empty());
    c.SetVisible(1);
    c.SetRect(0, 0, 30, 30);
    EXPECT_EQ(owner.updates.back(), (UpdateRequest{{0, 0, 60, 60}, 1, &c}));

    owner.updates.clear();
    c.UpdateAControl(0, 0);
    EXPECT_EQ(owner.updates, (std::vector<UpdateRequest>{{{0, 0, 30, 30}, 0, &c}}));
    EXPECT_EQ(c.IsAnimating(), 1);
    c.SetEnabled(1);
    EXPECT_EQ(owner.updates.size(), 1u);
}

TEST(ControlTree, CacheFlagFollowsContentChangesAndRendering)
{
    RecordingOwner owner;
    ProbeControl parent(&owner, 10, {0, 0, 100, 100});
    ProbeControl* inside = AddProbe(parent, 11, {10, 10, 20, 20});
    ProbeControl* outside = AddProbe(parent, 12, {200, 200, 220, 220});
    Surface& cache = inside->UpdateMemDC(40, 10);
    EXPECT_EQ(cache.Width(), 40);
    outside->UpdateMemDC(5, 5);
    parent.UpdateMemDC(1, 1);
    parent.SetUpdate(0, 0);
    EXPECT_EQ(parent.GetUpdate(), 0);
    EXPECT_EQ(inside->GetUpdate(), 0);
    EXPECT_EQ(outside->GetUpdate(), 1);   // not inside the parent's rect
    EXPECT_EQ(&inside->UpdateMemDC(40, 10), &cache);
    EXPECT_EQ(inside->GetUpdate(), 1);
}

TEST(ControlTree, GetControlSearchesForegroundChildrenBeforeAreas)
{
    RecordingOwner owner;
    ProbeControl root(&owner, 1, {0, 0, 100, 100});
    auto* area = new ProbeControl(&root, 7, {0, 0, 10, 10});
    root.AddChild(0, area);
    ProbeControl* holder = AddProbe(root, 5, {0, 0, 10, 10});
    ProbeControl* deep = AddProbe(*holder, 7, {0, 0, 10, 10});
    EXPECT_EQ(root.GetControl(7), deep);
    EXPECT_EQ(root.GetControl(5), holder);
    EXPECT_EQ(root.GetControl(99), nullptr);
}

TEST(ControlTree, TicksReachChildrenThatRunATimerAndAreVisible)
{
    RecordingOwner owner;
    ProbeControl root(&owner, 1, {0, 0, 100, 100});
    ProbeControl* ticking = AddProbe(root, 2, {0, 0, 10, 10});
    ProbeControl* idle = AddProbe(root, 3, {0, 0, 10, 10});
    ProbeControl* hidden = AddProbe(root, 4, {0, 0, 10, 10}, 0);
    ticking->SetRunTimer(1);
    hidden->SetRunTimer(1);
    EXPECT_EQ(root.OnTimer(), 1);
    EXPECT_EQ(ticking->ticks, 1);
    EXPECT_EQ(idle->ticks, 0);
    EXPECT_EQ(hidden->ticks, 0);
}

TEST(ControlTree, NotificationsClimbThroughPanelsWithTheSendersId)
{
    RecordingOwner owner;
    MPanel outer(&owner, 10, {0, 0, 100, 100}, 1);
    auto* inner = new MPanel(&outer, 11, {0, 0, 100, 100}, 1);
    outer.AddChild(1, inner);
    auto* button = new ProbeControl(inner, 42, {0, 0, 10, 10});
    inner->AddChild(1, button);
    button->SendMessageW(2, 5, 0);
    EXPECT_EQ(owner.notifications, (std::vector<Notification>{{42, 2, 5, 0}}));
}

TEST(ControlTree, PanelStartsWithItsTwoBarsAndScrollsByTheWheel)
{
    RecordingOwner owner;
    MPanel panel(&owner, 10, {0, 0, 100, 200}, 1);
    ASSERT_EQ(panel.GetControls().size(), 2u);
    EXPECT_EQ(panel.GetControls()[0]->GetControlID(), 1u);
    EXPECT_EQ(panel.GetControls()[1]->GetControlID(), 2u);

    // Content exactly as tall as the panel: no bar, but the wheel still moves the position.
    panel.AddChild(1, new ProbeControl(&panel, 20, {0, 0, 100, 200}));
    panel.SetControlRect({0, 0, 100, 200});
    EXPECT_FALSE(panel.GetScrollVertical()->IsVisible());
    owner.updates.clear();
    EXPECT_EQ(panel.OnScroll(1, 0, {10, 10}), 1);   // towards the start at 0: nothing moves
    EXPECT_EQ(panel.GetScrollVertical()->GetPos(), 0);
    EXPECT_TRUE(owner.updates.empty());
    EXPECT_EQ(panel.OnScroll(1, 1, {10, 10}), 1);
    EXPECT_EQ(panel.GetScrollVertical()->GetPos(), 10);
    EXPECT_EQ(owner.updates.size(), 1u);

    // Smaller content refuses the wheel.
    panel.SetControlRect({0, 0, 100, 300});
    EXPECT_EQ(panel.OnScroll(1, 1, {10, 10}), 0);
}

TEST(ControlFactory, EachOwnerMakesOnlyTheClassesOnItsList)
{
    auto maker = [](MObject* parent, uint32_t id, const Rect& rect, const wchar_t*, int visible, int enabled) {
        return new ProbeControl(parent, id, rect, 0, visible, enabled);
    };
    for (const wchar_t* name : {L"CComboBoxList", L"DPIControl", L"MText", L"MButton"})
        ControlFactory::Register(name, maker);

    struct Case {
        const wchar_t* name;
        bool onDialog;
        bool onPanel;
    };
    const Case cases[] = {
        {L"CComboBoxList", true, false}, {L"DPIControl", false, true}, {L"MButton", true, true},
        {L"mbutton", false, false},      {L"", false, false},          {L"NoSuchControl", false, false},
    };
    RecordingOwner owner;
    ProbeControl target(&owner, 1, {0, 0, 10, 10});
    for (const Case& c : cases) {
        for (auto kind : {ControlFactory::Owner::Dialog, ControlFactory::Owner::Panel}) {
            const bool expected = kind == ControlFactory::Owner::Dialog ? c.onDialog : c.onPanel;
            MControl* made =
                ControlFactory::Create(kind, 1, &target, &target, nullptr, c.name, 9, {0, 0, 5, 5}, L"", 1, 1);
            EXPECT_EQ(made != nullptr, expected);
            if (made != nullptr)
                target.RemoveControl(made);
        }
    }
    EXPECT_TRUE(target.GetControls().empty());
}

TEST(ControlFactory, TheClassRuleDecidesWhatTheSecondFlagMeans)
{
    auto maker = [](MObject* parent, uint32_t id, const Rect& rect, const wchar_t*, int visible, int enabled) {
        return new ProbeControl(parent, id, rect, 0, visible, enabled);
    };
    for (const wchar_t* name : {L"MText", L"MButton", L"CArea"})
        ControlFactory::Register(name, maker);
    struct Case {
        const wchar_t* name;
        int second;
        int enabled;
    };
    const Case cases[] = {{L"MText", 1, 0}, {L"MButton", 0, 0}, {L"MButton", 1, 1}, {L"CArea", 0, 1}};
    RecordingOwner owner;
    ProbeControl target(&owner, 1, {0, 0, 10, 10});
    for (const Case& c : cases) {
        MControl* made = ControlFactory::Create(ControlFactory::Owner::Dialog, 0, &target, &target, nullptr, c.name, 3,
                                                {0, 0, 5, 5}, L"", 1, c.second);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->IsEnabled(), c.enabled) << static_cast<const void*>(c.name);
        EXPECT_EQ(target.GetAreas().back(), made);
    }
}

} // namespace

namespace {

TEST(ControlTree, DraggingThePanelsThumbScrollsAndNotifies)
{
    RecordingOwner owner;
    MPanel panel(&owner, 10, {0, 0, 100, 200}, 1);
    panel.AddChild(1, new ProbeControl(&panel, 20, {0, 0, 100, 400}));
    panel.SetControlRect({0, 0, 100, 200});
    PanelScrollBar* bar = panel.GetScrollVertical();
    const Rect thumb = bar->ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    EXPECT_EQ(thumb.Height(), 100);   // half the content is visible

    const Point grab{97, thumb.top + 5};
    panel.OnMouseMove(0, grab);
    panel.OnLButtonDown(0, grab);
    panel.OnMouseMove(0, {97, grab.y + 50});
    panel.OnLButtonUp(0, {97, grab.y + 50});
    EXPECT_EQ(bar->GetPos(), 200);   // half the travel: half the range
    ASSERT_FALSE(owner.notifications.empty());
    EXPECT_EQ(owner.notifications.back(), (Notification{1, 8, 200, 0}));
}

} // namespace
