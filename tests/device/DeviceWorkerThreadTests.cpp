// The worker on its own thread: steps reach the window thread in order, stopping ends pauses at once
// and still sends what was queued, and the whole path between the store and the virtual mouse works
// both ways. These run under ThreadSanitizer too.
#include "device/DeviceWorker.h"
#include "device/DispatchedWindowPort.h"
#include "device/StoppableClock.h"
#include "device/WindowStepQueue.h"

#include "ManualClock.h"
#include "MouseRig.h"
#include "RecordingWindowPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
constexpr auto kGenerous = 20s;

// The test's own thread acting as the window thread: woken by the step queue, it runs the steps.
class WindowPump {
public:
    WindowStepQueue steps{[this] { Wake(); }};

    void Wake()
    {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        wake_.notify_all();
    }

    // Waits until a step was handed over, without running it.
    bool WaitForWake()
    {
        std::unique_lock lock(mutex_);
        return wake_.wait_for(lock, kGenerous, [this] { return woken_; });
    }

    // Runs handed-over steps until `done` holds; false when it does not within a generous time.
    bool PumpUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + kGenerous;
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!wake_.wait_until(lock, deadline, [this] { return woken_; }))
                return false;
            woken_ = false;
            lock.unlock();
            steps.RunPending();
        }
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
};

TEST(WindowStepQueue, StepsRunOnTheWindowThreadInTheOrderTheyWereHandedOver)
{
    WindowPump pump;
    std::vector<std::pair<int, std::thread::id>> ran; // touched on the window thread only
    std::atomic<bool> allHanded = false;
    std::thread worker([&] {
        for (int n = 0; n < 5; ++n)
            EXPECT_TRUE(pump.steps.Run([&ran, n] { ran.emplace_back(n, std::this_thread::get_id()); }));
        allHanded = true;
        pump.Wake();
    });
    EXPECT_TRUE(pump.PumpUntil([&] { return allHanded.load(); }));
    worker.join();

    ASSERT_EQ(ran.size(), 5u);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(ran[n].first, n);
        EXPECT_EQ(ran[n].second, std::this_thread::get_id());
    }
    // Handed over on the window thread itself, a step runs at once.
    EXPECT_TRUE(pump.steps.Run([&] { ran.emplace_back(5, std::this_thread::get_id()); }));
    EXPECT_EQ(ran.size(), 6u);
}

TEST(WindowStepQueue, ClosingReleasesAWaitingWorkerAndRefusesLaterSteps)
{
    WindowPump pump;
    bool stepRan = false;
    std::atomic<int> accepted = 0;
    std::thread worker([&] {
        accepted += pump.steps.Run([&] { stepRan = true; });
        accepted += pump.steps.Run([&] { stepRan = true; });
    });
    ASSERT_TRUE(pump.WaitForWake()); // the worker now waits on its first step
    pump.steps.Close();
    worker.join();
    pump.steps.RunPending();

    EXPECT_FALSE(stepRan);
    EXPECT_EQ(accepted.load(), 0);
}

// A thread whose work lets the test know how far it got.
class SteppingThread final : public CThreadBasic {
public:
    using CThreadBasic::CThreadBasic;
    ~SteppingThread() override { StopThread(); }

    bool WaitForCycles(int cycles)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGenerous, [&] { return cycles_ >= cycles; });
    }

    Lines Events()
    {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    void DoWork() override { Note("work"); }
    void Finish() override { Note("finish"); }

    void Note(const std::string& event)
    {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(event);
            cycles_ += event == "work";
        }
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    Lines events_;
    int cycles_ = 0;
};

TEST(CThreadBasic, EveryCycleIsFollowedByThePeriodAndTheLastWordsComeOnce)
{
    ManualClock clock;
    SteppingThread thread(clock);
    thread.StartThread(30ms);
    ASSERT_TRUE(thread.WaitForCycles(3));
    thread.StopThread();
    thread.StartThread(30ms); // a stopped thread stays stopped

    const Lines events = thread.Events();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events.back(), "finish");
    EXPECT_EQ(std::count(events.begin(), events.end(), "finish"), 1);
    // One period after each cycle; the pause after the last cycle may have been cut short by the stop.
    const std::vector<int> pauses = clock.TakePauses();
    const std::size_t cycles = events.size() - 1;
    EXPECT_TRUE(pauses.size() == cycles || pauses.size() + 1 == cycles) << pauses.size() << " " << cycles;
    EXPECT_TRUE(std::all_of(pauses.begin(), pauses.end(), [](int pause) { return pause == 30; }));
    EXPECT_FALSE(thread.IsRunning());
}

// The real clock, telling the test when a pause of a given length has begun. Pauses of half a
// second or more last until the clock stops, so a test can stop the worker inside one however slow
// the machine.
class WatchedClock final : public WorkerClock {
public:
    std::uint32_t NowMs() override { return clock_.NowMs(); }
    void Stop() override { clock_.Stop(); }

    bool Pause(std::chrono::milliseconds duration) override
    {
        {
            std::lock_guard lock(mutex_);
            begun_.push_back(static_cast<int>(duration.count()));
        }
        changed_.notify_all();
        return clock_.Pause(duration >= kHeld ? std::chrono::hours(24) : duration);
    }

    bool WaitForPause(int milliseconds)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGenerous, [&] {
            return std::find(begun_.begin(), begun_.end(), milliseconds) != begun_.end();
        });
    }

private:
    static constexpr std::chrono::milliseconds kHeld{500};

    StoppableClock clock_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> begun_;
};

TEST(DeviceWorkerStop, StoppingEndsAPauseAtOnceAndStillSendsTheQueuedSettings)
{
    MouseRig rig;
    rig.PlugAndOpen(VirtualLink::Cable);
    rig.mouse.ClearTrace();
    WatchedClock clock;
    RecordingWindowPort window;
    DeviceWorker worker(rig.store, rig.devices, clock, window, {}, {});
    worker.QueueTask(WorkerTask::DeviceArrived);
    worker.StartThread(DeviceWorker::kPeriod);
    ASSERT_TRUE(clock.WaitForPause(500)); // the arrival waits before it looks for the device
    worker.QueueTask(WorkerTask::DpiSettings);
    worker.QueueTask(WorkerTask::ButtonAssignments);
    worker.QueueTask(WorkerTask::DeviceTypeChanged); // window work only: dropped at exit
    worker.QueueTask(WorkerTask::LightSetting);

    worker.StopThread();

    EXPECT_FALSE(worker.IsRunning());
    // The arrival was abandoned without touching the window, and the queued settings went out
    // without their window steps.
    EXPECT_TRUE(window.TakeSteps().empty());
    Lines heads;
    for (const std::string& frame : rig.TakeFramesToMouse())
        heads.push_back(frame.substr(0, 5));
    EXPECT_EQ(heads, (Lines{"0C 63", "0C 08", "0C 21"}));
}

// The worker on its thread, its window steps handed to this thread, against the virtual mouse.
TEST(DeviceWorkerEndToEnd, StoreChangesReachTheMouseAndMousePressesReachTheStore)
{
    MouseRig rig;
    rig.mouse.Plug(VirtualLink::Receiver);
    StoppableClock clock;
    RecordingWindowPort window;
    WindowPump pump;
    DispatchedWindowPort dispatched(window, pump.steps);
    DeviceWorker worker(rig.store, rig.devices, clock, dispatched, {}, {});
    const auto recorded = [&](const std::string& step) {
        return [&window, step] { return window.WaitFor(step, 0ms); };
    };

    worker.QueueTask(WorkerTask::Connect);
    worker.StartThread(DeviceWorker::kPeriod);
    ASSERT_TRUE(pump.PumpUntil(recorded("RefreshPerformancePage")));
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowDeviceEntries 1", "ShowConnection 1 101", "RefreshProfileList",
                                         "RefreshKeyPage", "RefreshMacroList", "RefreshPerformancePage"}));
    EXPECT_TRUE(worker.DevicePresent());

    // A setting changed in the store and queued reaches the mouse.
    rig.SetKey(L"dpi_group0_value", L"1000");
    rig.SetKey(L"dpi_index", L"0");
    worker.QueueTask(WorkerTask::DpiSettings);
    worker.QueueTask(WorkerTask::ButtonAssignments); // ends by closing the wait dialog
    ASSERT_TRUE(pump.PumpUntil(recorded("CloseWaitDialog")));
    EXPECT_EQ(rig.mouse.Settings().dpiValues[0], 1000);
    EXPECT_EQ(rig.mouse.Settings().dpiIndex, 0);

    // A press of the DPI button on the mouse reaches the store and the widgets.
    rig.mouse.PressDpiButton();
    ASSERT_TRUE(pump.PumpUntil(recorded("ShowDpiLevel 1")));
    EXPECT_EQ(rig.Key(L"dpi_index"), L"1");

    pump.steps.Close();
    worker.StopThread();
}

} // namespace
