// The device worker's tasks, one cycle at a time on the test's thread: what each task shows in the
// window (a recording port), how long it pauses (a clock that never sleeps), and what reaches the
// virtual mouse and the store.
#include "device/DeviceWorker.h"

#include "ManualClock.h"
#include "MouseRig.h"
#include "RecordingWindowPort.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using Pauses = std::vector<int>;

const Lines kUpdatedCable = {"ShowDeviceEntries 1", "ShowConnection 0 101"};
const Lines kMacroHeads = {"0C 51", "0C 51", "0C 51", "0C 51", "0C 51"};

Lines Join(std::initializer_list<Lines> parts)
{
    Lines joined;
    for (const Lines& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// A worker over the virtual mouse (cable plugged and opened) and a store of default profiles, with
// the lighting page enabled; the injected operations are recorded as window steps.
struct WorkerHarness {
    MouseRig rig;
    ManualClock clock;
    RecordingWindowPort window;
    Lines log;
    DeviceWorker worker{rig.store, rig.devices, clock, window, Operations(),
                        [this](const std::string& line) { log.push_back(line); }};

    DeviceWorker::Operations Operations()
    {
        return {[this] { window.Record("applyPointerSetting"); }, [this] { window.Record("restorePointerDefaults"); },
                [this] { window.Record("installDriver"); }, [this] { window.Record("installFirmware"); }};
    }

    WorkerHarness()
    {
        worker.SetLightingPageEnabled(true);
        rig.PlugAndOpen(VirtualLink::Cable);
        rig.mouse.ClearTrace();
    }

    void RunTask(int code)
    {
        worker.QueueTask(code);
        worker.DoWork();
    }

    // The command bytes ("0C 63") of every frame the mouse received since the last call.
    Lines TakeFrameHeads()
    {
        Lines heads;
        for (const std::string& frame : rig.TakeFramesToMouse())
            heads.push_back(frame.substr(0, 5));
        return heads;
    }

    // Connects once and forgets what that showed.
    void Connect()
    {
        RunTask(1);
        window.TakeSteps();
        clock.TakePauses();
        log.clear();
    }
};

struct WorkerFixture : testing::Test, WorkerHarness {};

struct TaskCase {
    int code;
    Lines steps;
    Pauses pauses;
    Lines frames;
};

TEST(DeviceWorkerTasks, EachTaskShowsPausesAndSendsWhatItShould)
{
    const Lines connectSteps = Join({kUpdatedCable, {"RefreshLightPage", "RefreshProfileList", "RefreshKeyPage",
                                                      "RefreshMacroList", "RefreshPerformancePage", "RefreshLightPage"}});
    const Lines allGroups = Join({{"0C 63", "0C 61", "0C 21", "0C 08"}, kMacroHeads});
    const TaskCase cases[] = {
        {1, connectSteps, {}, {}},
        {2,
         Join({kUpdatedCable,
               {"RefreshProfileList", "RefreshPerformancePage", "RefreshKeyPage", "RefreshMacroList",
                "RefreshPerformancePage", "RefreshLightPage"},
               connectSteps}),
         {500, 1000},
         {}},
        {3, Join({kUpdatedCable, {"RefreshKeyPage", "RefreshMacroList", "RefreshPerformancePage", "RefreshLightPage"}}),
         {500, 500},
         {}},
        {4,
         Join({{"RefreshProfileList"}, kUpdatedCable,
               {"RefreshPerformancePage", "RefreshKeyPage", "RefreshMacroList", "RefreshPerformancePage",
                "RefreshLightPage", "CloseWaitDialog"}}),
         {100},
         {}},
        {7, {"RefreshKeyPage", "RefreshPerformancePage", "RefreshLightPage", "CloseWaitDialog"},
         {10, 10, 10, 10, 100},
         allGroups},
        {8, {"CloseWaitDialog"}, {10, 10, 10, 10, 100}, kMacroHeads},
        {9, {"CloseWaitDialog"}, {100}, {"0C 08"}},
        {11, {}, {}, {"0C 21"}},
        {12, {}, {}, {"0C 63"}},
        {13, {}, {}, {"0C 61"}},
        {14, {}, {}, {"0C 61"}},
        {15, {}, {}, {"0C 61"}},
        {18, {}, {500}, {}},
        {19,
         {"RefreshProfileList", "RefreshKeyPage", "RefreshMacroList", "RefreshPerformancePage", "RefreshLightPage",
          "restorePointerDefaults", "CloseWaitDialog"},
         {10, 10, 10, 10, 100},
         Join({{"0C 1F"}, allGroups})},
        {20, {"applyPointerSetting"}, {}, {}},
        {21, {"installDriver"}, {}, {}},
        {22, {"installFirmware"}, {}, {}},
        {5, {}, {}, {}},
        {99, {}, {}, {}},
    };
    for (const TaskCase& c : cases) {
        SCOPED_TRACE(c.code);
        WorkerHarness h;
        h.RunTask(c.code);

        EXPECT_EQ(h.window.TakeSteps(), c.steps);
        EXPECT_EQ(h.clock.TakePauses(), c.pauses);
        EXPECT_EQ(h.TakeFrameHeads(), c.frames);
    }
}

TEST_F(WorkerFixture, QueuedTasksRunOnePerCycleInOrder)
{
    const int codes[] = {12, 13, 11, 9, 12, 14, 11, 15, 9, 12};
    for (int code : codes)
        worker.QueueTask(code);
    const Lines expected = {"0C 63", "0C 61", "0C 21", "0C 08", "0C 63", "0C 61", "0C 21", "0C 61", "0C 08", "0C 63"};
    for (const std::string& head : expected) {
        worker.DoWork();
        EXPECT_EQ(TakeFrameHeads(), Lines{head});
    }
    worker.DoWork(); // nothing left: the cycle reads notifications only while a device is present
    EXPECT_TRUE(TakeFrameHeads().empty());
}

TEST_F(WorkerFixture, AnIdleCycleWithoutADeviceDoesNothing)
{
    rig.mouse.Unplug(VirtualLink::Cable);
    RunTask(1);
    EXPECT_FALSE(worker.DevicePresent());
    EXPECT_EQ(log, (Lines{"UpdateDeviceList, 无设备隐藏", "没有检测到设备"}));
    window.TakeSteps();
    rig.mouse.ClearTrace();

    clock.Advance(1000);
    worker.DoWork();

    EXPECT_TRUE(window.TakeSteps().empty());
    EXPECT_TRUE(rig.mouse.Trace().empty());
    EXPECT_TRUE(clock.TakePauses().empty());
}

TEST_F(WorkerFixture, ConnectIsAFullStartOnlyOnceUntilDefaultsAreRestored)
{
    Connect();
    RunTask(1);
    EXPECT_TRUE(window.TakeSteps().empty());

    worker.ClearConnectedOnce();
    RunTask(1);
    EXPECT_EQ(window.TakeSteps().size(), 8u);
}

struct LinkChangeCase {
    const char* name;
    std::vector<VirtualLink> plugged;
    VirtualLink unplugged;
    Lines steps;
    Lines log;
};

TEST_F(WorkerFixture, RemovalRebuildsTheListAndRefreshesWhileACableOrReceiverRemains)
{
    const LinkChangeCase cases[] = {
        {"receiver remains", {VirtualLink::Cable, VirtualLink::Receiver}, VirtualLink::Cable,
         {"ShowDeviceEntries 1", "ShowConnection 1 101", "RefreshKeyPage", "RefreshMacroList",
          "RefreshPerformancePage", "RefreshLightPage"},
         {"UpdateDeviceList, 2.4G 显示: 当前模式: 1"}},
        {"bluetooth remains", {VirtualLink::Cable, VirtualLink::Bluetooth}, VirtualLink::Cable,
         {"ShowDeviceEntries 1", "ShowConnection 2 101"},
         {}},
        {"nothing remains", {VirtualLink::Cable}, VirtualLink::Cable,
         {"ShowDeviceEntries 0", "ShowConnection -1 101", "StopMacroRecording"},
         {"UpdateDeviceList, 无设备隐藏"}},
    };
    for (const LinkChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (VirtualLink link : c.plugged)
            rig.mouse.Plug(link);
        worker.ClearConnectedOnce();
        Connect();

        rig.mouse.Unplug(c.unplugged);
        RunTask(3);

        EXPECT_EQ(window.TakeSteps(), c.steps);
        EXPECT_EQ(log, c.log);
        for (VirtualLink link : c.plugged)
            rig.mouse.Unplug(link);
    }
}

TEST_F(WorkerFixture, AnArrivalWithNothingToFindIsOnlyLogged)
{
    rig.mouse.Unplug(VirtualLink::Cable);
    RunTask(2);
    EXPECT_EQ(log, (Lines{"UpdateDeviceList, 无设备隐藏", "DeviceInstall 设备状态没有连接!",
                          "UpdateDeviceList, 无设备隐藏", "没有检测到设备"}));
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowDeviceEntries 0", "ShowConnection -1 101", "StopMacroRecording",
                                         "ShowDeviceEntries 0", "ShowConnection -1 101", "StopMacroRecording",
                                         "RefreshLightPage"}));
}

TEST_F(WorkerFixture, TheLightValueIsTheLastChosenOrTheNewProfilesActiveMode)
{
    RunTask(11);
    worker.SetLightValue(6);
    RunTask(11);
    EXPECT_EQ(rig.TakeFramesToMouse(), (Lines{"0C 21 0B 00 00 03", "0C 21 0B 00 00 06"}));

    ProfileSetup(rig.store, [](int) { return std::wstring(L"mode"); }).EnsureLights(2);
    rig.store.SetActiveLight(2, 4);
    rig.store.SetActiveProfile(2);
    RunTask(7);
    EXPECT_EQ(rig.mouse.Settings().lightValue, 4);
}

TEST_F(WorkerFixture, ChoosingAProfileSendsEveryGroupOfIt)
{
    rig.SetKey(L"dpi_index", L"5", 3);
    rig.SetKey(L"report_rate", L"2", 3);
    rig.store.SetActiveProfile(3);

    RunTask(7);

    const VirtualMouseSettings state = rig.mouse.Settings();
    EXPECT_EQ(state.dpiIndex, 5);
    EXPECT_EQ(state.performance[0], 2);
}

TEST_F(WorkerFixture, RestoringDefaultsResetsTheActiveProfilesStoredSettings)
{
    ProfileSetup(rig.store, [](int) { return std::wstring(L"mode"); }).EnsureLights(1);
    rig.SetKey(L"dpi_index", L"5");
    rig.SetKey(L"dpi_group0_value", L"5000");
    rig.SetKey(L"mouse_speed", L"17");
    rig.SetKey(L"dpi_index", L"4", 2);
    rig.Assign(1, 2, 1, 1); // middle button clicks left
    LightRecord light;
    rig.store.GetLight(1, 3, light);
    light.brightness = 10;
    light.color_value = 0x00FF00;
    rig.store.UpdateLight(1, 3, light);
    rig.store.SetActiveLight(1, 3);

    RunTask(19);

    EXPECT_EQ(rig.Key(L"dpi_index"), L"2");
    EXPECT_EQ(rig.Key(L"dpi_group0_value"), L"800");
    EXPECT_EQ(rig.Key(L"mouse_speed"), L"10");
    EXPECT_EQ(rig.Key(L"dpi_index", 2), L"4"); // other profiles keep theirs
    std::vector<KeyMacroRecord> rows;
    EXPECT_EQ(rig.store.GetKeyMacros(1, rows), 0);
    ASSERT_TRUE(rig.store.GetLight(1, 3, light));
    EXPECT_EQ(light.brightness, 255);
    EXPECT_EQ(light.color_value, 255);
    EXPECT_EQ(light.config_func, 3);
    EXPECT_EQ(rig.store.GetActiveLightMode(1), 0);
    // The mouse holds the defaults the store now shows.
    const VirtualMouseSettings state = rig.mouse.Settings();
    EXPECT_EQ(state.dpiIndex, 2);
    EXPECT_EQ(state.dpiValues[0], 800);
    EXPECT_EQ(state.lightValue, 0);
    EXPECT_EQ(state.buttons[2], (std::array<std::uint8_t, 4>{0x10, 0x04, 0, 0}));
}

// --- Notifications.

TEST_F(WorkerFixture, ADpiPressReachesTheStoreAndTheWidgetsOnce)
{
    Connect();
    rig.SetKey(L"dpi_index", L"0");
    rig.mouse.PressDpiButton(); // level 1 -> 2, the mouse runs at rate 4

    worker.DoWork();
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowDpiLevel 2", "ShowReportRate 4"}));
    EXPECT_EQ(rig.Key(L"dpi_index"), L"2");
    EXPECT_EQ(rig.Key(L"report_rate"), L"4");
    EXPECT_EQ(rig.Key(L"report_rate_wireless"), L"4");
    EXPECT_EQ(log, (Lines{"mouse notify data: 0C FE 03 02 00 00"}));

    // Within 200 ms of the last read nothing is read; afterwards only what changed is applied.
    rig.mouse.PressDpiButton();
    clock.Advance(150);
    worker.DoWork();
    EXPECT_TRUE(window.TakeSteps().empty());
    clock.Advance(50);
    worker.DoWork();
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowDpiLevel 3"}));
    EXPECT_EQ(rig.Key(L"dpi_index"), L"3");
}

TEST_F(WorkerFixture, TheBatteryIsShownAndTheFirstNotificationShowsAHiddenConnection)
{
    rig.mouse.Unplug(VirtualLink::Cable);
    rig.mouse.Plug(VirtualLink::Bluetooth); // a Bluetooth link alone leaves the connection unshown
    Connect();

    rig.mouse.SetBattery(100, true);
    worker.DoWork();
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowDpiLevel 1", "ShowReportRate 4", "ShowNotifiedConnection 101",
                                         "ShowBattery 100 charging"}));
    EXPECT_EQ(log, (Lines{"mouse notify data: 0C FE 05 E4 00 00", "上报当前电量信息: 228"}));

    rig.mouse.SetBattery(40, false);
    clock.Advance(200);
    worker.DoWork();
    EXPECT_EQ(window.TakeSteps(), (Lines{"ShowBattery 40"}));
}

} // namespace
