// The periodic tick: CMTimer bookkeeping, and ticks on their own thread that change controls and
// ask for repaints while the UI thread routes input and paints.
#include "DialogFixture.h"

#include "vinto/window/MPanel.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace Vinto;
using VintoTest::DialogTest;
using VintoTest::ProbeControl;

namespace {

class CountingTimer : public CMTimer {
public:
    ~CountingTimer() override { KillTimer(); }
    void OnMTimer(uint32_t id, const std::wstring& name) override
    {
        std::lock_guard guard(lock);
        named.emplace_back(id, name);
        changed.notify_all();
    }
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::pair<uint32_t, std::wstring>> named;
};

TEST(CMTimer, RecordsTimersByIdAndName)
{
    CountingTimer timer;
    const uint32_t a = timer.SetTimer(1000, L"slow", 0);
    const uint32_t b = timer.SetTimer(1000, L"other", 1);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(timer.GetTimerIsRun(a), 1);
    EXPECT_EQ(timer.GetTimerIsRun(L"other"), 1);
    EXPECT_EQ(timer.GetTimerName(b), L"other");
    EXPECT_EQ(timer.GetTimerName(12345), L"");
    EXPECT_EQ(timer.IsAppTimer(a), 0);
    EXPECT_EQ(timer.IsAppTimer(b), 1);
    EXPECT_EQ(CMTimer::GetMTimer(b), &timer);

    EXPECT_EQ(timer.KillTimer(12345), 2);   // not recorded: nothing stops
    EXPECT_EQ(timer.KillTimer(L"slow"), 1);
    EXPECT_EQ(timer.GetTimerIsRun(a), 0);
    EXPECT_EQ(CMTimer::GetMTimer(a), nullptr);
    timer.KillTimer();
    EXPECT_EQ(timer.GetTimerIsRun(b), 0);
}

TEST(CMTimer, ApplicationTimersAlsoTickWithTheirName)
{
    CountingTimer timer;
    const uint32_t id = timer.SetTimer(1, L"app", 1);
    std::unique_lock guard(timer.lock);
    ASSERT_TRUE(timer.changed.wait_for(guard, std::chrono::seconds(10), [&] { return timer.named.size() >= 3; }));
    EXPECT_EQ(timer.named.front(), (std::pair<uint32_t, std::wstring>{id, L"app"}));
}

// Ticks change their own state and ask for a repaint, as animating controls do.
class TickingProbe : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    int OnControlTimer() override
    {
        ticks.fetch_add(1);
        UpdateControl(0, 0);
        return 1;
    }
};

TEST_F(DialogTest, TicksRunOffTheUiThreadWhileInputAndPaintingGoOn)
{
    auto* ticking = new TickingProbe(dialog->GetOwnerObject(), 1, {0, 0, 100, 100});
    dialog->AddControl(ticking);
    ProbeControl* idle = dialog->Add(2, {100, 0, 200, 100});
    auto* hidden = new TickingProbe(dialog->GetOwnerObject(), 3, {200, 0, 300, 100}, 0xFF808080, 0);
    dialog->AddControl(hidden);
    ticking->SetRunTimer(1);
    ticking->AddMTimer();
    idle->AddMTimer();   // registered but not running a timer: never ticked
    hidden->SetRunTimer(1);
    hidden->AddMTimer();   // running a timer but hidden: never ticked
    // A panel registers once; its ticking child is reached through it.
    auto* panel = new MPanel(dialog->GetOwnerObject(), 4, {0, 100, 200, 200}, 1);
    dialog->AddControl(panel);
    auto* nested = new TickingProbe(panel, 5, {0, 100, 200, 300});
    panel->AddChild(1, nested);
    nested->SetManager(&Manager());
    panel->SetControlRect({0, 100, 200, 200});
    nested->SetRunTimer(1);
    panel->SetRunTimer(1);
    panel->AddMTimer();
    ASSERT_NE(dialog->SetMTimer(1), 0u);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int step = 0;
    while ((ticking->ticks < 50 || nested->ticks < 50) && std::chrono::steady_clock::now() < deadline) {
        const Point at{10 + step % 150, step % 3 == 0 ? 150 : 50};
        Move(at);
        Button(at, step % 2 == 0);
        if (step % 5 == 0) {
            system->Input().Wheel(step % 10 == 0 ? -120 : 120, Screen(at));
            Pump();
        }
        ++step;
    }
    EXPECT_GE(ticking->ticks, 50);
    EXPECT_GE(nested->ticks, 50);
    EXPECT_EQ(idle->ticks, 0);
    EXPECT_EQ(hidden->ticks, 0);
    EXPECT_GT(ticking->draws, 0);
    Manager().KillMTimer();
}

} // namespace
