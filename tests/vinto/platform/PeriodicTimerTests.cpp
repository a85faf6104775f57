// The tick thread: ticks arrive off the UI thread, can invalidate a window and wake its loop, and
// stop for good when asked.
#include "RecordingWindow.h"

#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/PeriodicTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

TEST(PeriodicTimer, TicksOnItsOwnThreadUntilStopped)
{
    std::mutex mutex;
    std::condition_variable ticked;
    int ticks = 0;
    std::thread::id tickThread;
    PeriodicTimer timer([&] {
        std::lock_guard lock(mutex);
        ++ticks;
        tickThread = std::this_thread::get_id();
        ticked.notify_all();
    });
    EXPECT_FALSE(timer.IsRunning());
    timer.Start(1);
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(ticked.wait_for(lock, std::chrono::seconds(10), [&] { return ticks >= 5; }));
        EXPECT_NE(tickThread, std::this_thread::get_id());
    }
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    int afterStop = 0;
    {
        std::lock_guard lock(mutex);
        afterStop = ticks;
    }
    // Stop has joined the thread: no tick can follow it.
    timer.Stop();
    std::lock_guard lock(mutex);
    EXPECT_EQ(ticks, afterStop);
}

TEST(PeriodicTimer, TickThatInvalidatesWakesTheLoopIntoAPaint)
{
    auto system = HeadlessBackend::CreateSystem();
    RecordingWindow window(*system, {WM_PAINT});
    window.CreateAt({0, 0, 100, 100});
    system->RunUntilIdle();
    window.paints.clear();

    const WindowHandle handle = window.handle;
    std::atomic<int> frame{0};
    PeriodicTimer timer([&] {
        const int f = frame.fetch_add(1) % 10;
        const Rect r = Rect::FromSize(f * 10, 0, 10, 10);
        system->InvalidateRect(handle, &r, false);
    });
    timer.Start(2);
    Message m;
    while (window.paints.size() < 3 && system->GetMessage(m))
        system->DispatchMessage(m);
    timer.Stop();
    EXPECT_EQ(window.paints.size(), 3u);
    for (const Rect& r : window.paints)
        EXPECT_FALSE(r.IsEmpty());
}

} // namespace
