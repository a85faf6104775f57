// The message loop semantics the toolkit builds on: ordering, sends and posts across threads,
// nested modal loops, timers and WM_PAINT coalescing.
#include "RecordingWindow.h"

#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Vinto;
using VintoTest::Received;
using VintoTest::RecordingWindow;

namespace {

constexpr uint32_t kAppMessage = WM_USER + 1;

class MessageLoopTest : public ::testing::Test {
protected:
    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
};

TEST_F(MessageLoopTest, HandsOutPostedThenQuitThenPaintThenTimer)
{
    RecordingWindow window(*system, {kAppMessage, WM_PAINT, WM_TIMER});
    window.CreateAt({10, 10, 110, 110});
    system->RunUntilIdle();
    window.log.clear();

    system->SetTimer(window.handle, 7, 10);
    system->GetClock().Advance(10);
    system->InvalidateRect(window.handle, nullptr, false);
    system->PostMessage(window.handle, kAppMessage, 1, 0);
    system->PostMessage(window.handle, kAppMessage, 2, 0);

    std::vector<Received> order;
    Message m;
    while (system->PeekMessage(m)) {
        order.push_back({m.window, m.message, m.wParam, 0});
        if (m.message == WM_TIMER)
            system->KillTimer(window.handle, 7);
        system->DispatchMessage(m);
    }
    const std::vector<Received> expected = {
        {window.handle, kAppMessage, 1, 0},
        {window.handle, kAppMessage, 2, 0},
        {window.handle, WM_PAINT, 0, 0},
        {window.handle, WM_TIMER, 7, 0},
    };
    EXPECT_EQ(order, expected);

    system->PostMessage(window.handle, kAppMessage, 3, 0);
    system->PostQuitMessage(5);
    system->InvalidateRect(window.handle, nullptr, false);
    ASSERT_TRUE(system->GetMessage(m));
    EXPECT_EQ(m.message, kAppMessage);
    EXPECT_FALSE(system->GetMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 5u);
}

TEST_F(MessageLoopTest, SendFromAnotherThreadRunsOnTheUiThreadAndReturnsItsResult)
{
    RecordingWindow window(*system, {kAppMessage});
    std::thread::id handledOn;
    window.On(kAppMessage, [&](uintptr_t w, intptr_t l) {
        handledOn = std::this_thread::get_id();
        return static_cast<intptr_t>(w) + l;
    });
    window.CreateAt({0, 0, 50, 50});
    system->RunUntilIdle();

    std::atomic<intptr_t> result{0};
    std::thread sender([&] {
        result = system->SendMessage(window.handle, kAppMessage, 40, 2);
        system->PostQuitMessage(0);
    });
    Message m;
    while (system->GetMessage(m))
        system->DispatchMessage(m);
    sender.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(MessageLoopTest, PostsFromManyThreadsKeepEachThreadsOrder)
{
    RecordingWindow window(*system, {kAppMessage});
    window.CreateAt({0, 0, 50, 50});
    constexpr int kThreads = 4;
    constexpr int kEach = 200;
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t)
        posters.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                system->PostMessage(window.handle, kAppMessage, static_cast<uintptr_t>(t), i);
        });
    size_t received = 0;
    Message m;
    while (received < kThreads * kEach && system->GetMessage(m)) {
        system->DispatchMessage(m);
        if (m.message == kAppMessage)
            ++received;
    }
    for (auto& p : posters)
        p.join();
    std::vector<intptr_t> next(kThreads, 0);
    for (const Received& r : window.log) {
        EXPECT_EQ(r.lParam, next[r.wParam]);
        next[r.wParam] = r.lParam + 1;
    }
}

TEST_F(MessageLoopTest, SenderIsReleasedWhenTheWindowGoesAway)
{
    RecordingWindow window(*system);
    window.CreateAt({0, 0, 50, 50});
    RecordingWindow other(*system);
    other.CreateAt({100, 0, 150, 50});
    std::atomic<bool> sent{false};
    // The UI thread destroys the target as its first step once the other thread is waiting.
    other.On(kAppMessage, [&](uintptr_t, intptr_t) {
        system->DestroyWindow(window.handle);
        return 0;
    });
    std::thread sender([&] {
        system->PostMessage(other.handle, kAppMessage, 0, 0);
        const intptr_t r = system->SendMessage(window.handle, kAppMessage, 0, 0);
        sent = true;
        system->PostQuitMessage(static_cast<int>(r));
    });
    Message m;
    int exitCode = -1;
    while (system->GetMessage(m))
        system->DispatchMessage(m);
    exitCode = static_cast<int>(m.wParam);
    sender.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(MessageLoopTest, InvalidationFromAnotherThreadWakesTheLoopAndCoalesces)
{
    RecordingWindow window(*system, {WM_PAINT});
    window.CreateAt({0, 0, 200, 100});
    system->RunUntilIdle();
    window.paints.clear();

    std::thread ticker([&] {
        const Rect a{10, 10, 20, 20};
        const Rect b{50, 40, 60, 45};
        system->InvalidateRect(window.handle, &a, false);
        system->InvalidateRect(window.handle, &b, false);
        system->PostMessage(window.handle, kAppMessage, 0, 0);
    });
    ticker.join();
    Message m;
    while (system->GetMessage(m)) {
        system->DispatchMessage(m);
        if (m.message == WM_PAINT)
            break;
    }
    ASSERT_EQ(window.paints.size(), 1u);
    EXPECT_EQ(window.paints[0], (Rect{10, 10, 60, 45}));
    EXPECT_TRUE(system->RunUntilIdle());
    EXPECT_EQ(window.paints.size(), 1u);
}

TEST_F(MessageLoopTest, OtherThreadsInvalidateAndPostWhileTheUiThreadResizesAndMoves)
{
    RecordingWindow window(*system, {kAppMessage});
    int resizes = 0;
    window.On(kAppMessage, [&](uintptr_t, intptr_t i) {
        system->MoveWindow(window.handle, Rect::FromSize(0, 0, 100 + static_cast<int>(i % 50), 100));
        system->Input().MouseMove({static_cast<int>(i % 80), 10});
        ++resizes;
        return 0;
    });
    window.CreateAt({0, 0, 100, 100});
    constexpr int kRounds = 300;
    std::thread worker([&] {
        for (int i = 0; i < kRounds; ++i) {
            const Rect r = Rect::FromSize(i % 90, 0, 10, 10);
            system->InvalidateRect(window.handle, &r, false);
            system->PostMessage(window.handle, kAppMessage, 0, i);
        }
    });
    Message m;
    while (resizes < kRounds && system->GetMessage(m))
        system->DispatchMessage(m);
    worker.join();
    EXPECT_TRUE(system->RunUntilIdle());
    EXPECT_TRUE(system->GetUpdateRect(window.handle).IsEmpty());
    EXPECT_EQ(window.log.size(), static_cast<size_t>(kRounds));
}

TEST_F(MessageLoopTest, HiddenAndMinimisedWindowsPaintOnlyOnceShown)
{
    RecordingWindow window(*system, {WM_PAINT});
    window.CreateAt({0, 0, 100, 100}, WS_POPUP);
    system->InvalidateRect(window.handle, nullptr, false);
    system->RunUntilIdle();
    EXPECT_TRUE(window.paints.empty());

    system->ShowWindow(window.handle, SW_SHOW);
    system->RunUntilIdle();
    ASSERT_EQ(window.paints.size(), 1u);
    EXPECT_EQ(window.paints[0], (Rect{0, 0, 100, 100}));

    system->ShowWindow(window.handle, SW_MINIMIZE);
    system->InvalidateRect(window.handle, nullptr, false);
    system->RunUntilIdle();
    EXPECT_EQ(window.paints.size(), 1u);
    system->ShowWindow(window.handle, SW_RESTORE);
    system->RunUntilIdle();
    EXPECT_EQ(window.paints.size(), 2u);
}

TEST_F(MessageLoopTest, TimersFireWhenDueOnceEvenWhenLateAndStopWhenKilled)
{
    RecordingWindow window(*system, {WM_TIMER});
    window.CreateAt({0, 0, 10, 10});
    system->SetTimer(window.handle, 1, 100);
    system->SetTimer(window.handle, 2, 250);

    struct Step {
        uint64_t advance;
        std::vector<uintptr_t> fired;
    };
    const std::vector<Step> steps = {
        {99, {}},      // not yet due
        {1, {1}},      // 100: the first
        {100, {1}},    // 200
        {50, {2}},     // 250: the second
        {500, {1, 2}}, // 750: both were late several periods and fire once each
    };
    for (const Step& step : steps) {
        window.log.clear();
        system->GetClock().Advance(step.advance);
        system->RunUntilIdle();
        std::vector<uintptr_t> fired;
        for (const Received& r : window.log)
            fired.push_back(r.wParam);
        EXPECT_EQ(fired, step.fired) << "after advancing " << step.advance;
    }
    EXPECT_TRUE(system->KillTimer(window.handle, 1));
    EXPECT_FALSE(system->KillTimer(window.handle, 1));
    window.log.clear();
    system->GetClock().Advance(1000);
    system->RunUntilIdle();
    ASSERT_EQ(window.log.size(), 1u);
    EXPECT_EQ(window.log[0].wParam, 2u);
}

// The modal loop as the toolkit's dialogs run it: the owner is disabled, the loop ends on the
// dialog's WM_CLOSE (recording its wParam) or on WM_QUIT, which it posts again for the outer loop.
struct ModalResult {
    uintptr_t result = 0;
    bool quit = false;
};

ModalResult RunModal(WindowSystem& system, WindowHandle dialog)
{
    ModalResult out;
    const WindowHandle owner = system.GetOwner(dialog);
    system.ShowWindow(dialog, SW_SHOW);
    system.EnableWindow(owner, false);
    Message m;
    while (system.IsWindow(dialog)) {
        if (!system.GetMessage(m)) {
            out.quit = true;
            break;
        }
        if (m.message == WM_CLOSE && m.window == dialog)
            out.result = m.wParam;
        system.DispatchMessage(m);
    }
    system.EnableWindow(owner, true);
    if (out.quit)
        system.PostQuitMessage(static_cast<int>(m.wParam));
    return out;
}

TEST_F(MessageLoopTest, NestedModalLoopsEndOnCloseAndPassQuitOutwards)
{
    RecordingWindow main(*system, {WM_LBUTTONDOWN});
    main.CreateAt({0, 0, 400, 300});
    RecordingWindow outer(*system);
    RecordingWindow inner(*system);
    outer.CreateAt({50, 50, 250, 200}, WS_POPUP, main.handle);

    ModalResult innerResult;
    bool mainClickedWhileModal = false;
    outer.On(kAppMessage, [&](uintptr_t, intptr_t) {
        inner.CreateAt({60, 60, 160, 160}, WS_POPUP, outer.handle);
        // A click on the main window while two dialogs are up reaches nobody.
        system->Input().Click({350, 250});
        system->PostMessage(inner.handle, WM_CLOSE, 6, 0);
        innerResult = RunModal(*system, inner.handle);
        mainClickedWhileModal = !main.log.empty();
        system->PostQuitMessage(3);
        return 0;
    });
    system->PostMessage(outer.handle, kAppMessage, 0, 0);
    const ModalResult outerResult = RunModal(*system, outer.handle);

    EXPECT_EQ(innerResult.result, 6u);
    EXPECT_FALSE(innerResult.quit);
    EXPECT_TRUE(outerResult.quit);
    EXPECT_FALSE(mainClickedWhileModal);
    EXPECT_TRUE(system->IsWindowEnabled(main.handle));
    EXPECT_TRUE(system->IsWindow(outer.handle));
    int exitCode = -1;
    EXPECT_FALSE(system->RunUntilIdle(&exitCode));
    EXPECT_EQ(exitCode, 3);
}

TEST_F(MessageLoopTest, CreationCanBeRefusedAndDestructionReachesChildrenAndOwnedWindows)
{
    RecordingWindow refused(*system);
    refused.On(WM_CREATE, [](uintptr_t, intptr_t) { return -1; });
    EXPECT_EQ(refused.CreateAt({0, 0, 10, 10}), 0u);
    EXPECT_EQ(refused.Messages().back(), WM_NCDESTROY);

    const std::set<uint32_t> watched{WM_DESTROY, WM_NCDESTROY};
    RecordingWindow parent(*system, watched), child(*system, watched), owned(*system, watched);
    parent.CreateAt({0, 0, 100, 100});
    child.CreateAt({10, 10, 20, 20}, WS_CHILD | WS_VISIBLE, parent.handle);
    owned.CreateAt({200, 0, 300, 100}, WS_POPUP | WS_VISIBLE, parent.handle);
    std::vector<std::pair<WindowHandle, uint32_t>> order;
    for (RecordingWindow* w : {&parent, &child, &owned}) {
        for (uint32_t message : watched)
            w->On(message, [&order, w, message](uintptr_t, intptr_t) {
                order.push_back({w->handle, message});
                return 0;
            });
    }

    system->PostMessage(parent.handle, kAppMessage, 0, 0);
    EXPECT_TRUE(system->DestroyWindow(parent.handle));
    const std::vector<std::pair<WindowHandle, uint32_t>> expected = {
        {owned.handle, WM_DESTROY},  {owned.handle, WM_NCDESTROY}, {parent.handle, WM_DESTROY},
        {child.handle, WM_DESTROY},  {child.handle, WM_NCDESTROY}, {parent.handle, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    for (WindowHandle h : {parent.handle, child.handle, owned.handle})
        EXPECT_FALSE(system->IsWindow(h));
    EXPECT_FALSE(system->PostMessage(parent.handle, kAppMessage, 0, 0));
    EXPECT_TRUE(system->RunUntilIdle());
    EXPECT_FALSE(system->DestroyWindow(parent.handle));
}

TEST_F(MessageLoopTest, WindowStateAccessorsAndTheirAnswersForAMissingWindow)
{
    RecordingWindow w(*system, {WM_ENABLE});
    w.CreateAt({10, 20, 110, 70});
    EXPECT_TRUE(system->SetProp(w.handle, L"Control", 42));
    EXPECT_EQ(system->GetProp(w.handle, L"Control"), 42);
    EXPECT_EQ(system->GetProp(w.handle, L"control"), 0);   // names are exact
    EXPECT_EQ(system->RemoveProp(w.handle, L"Control"), 42);
    EXPECT_EQ(system->GetProp(w.handle, L"Control"), 0);

    const uint32_t style = system->GetWindowLong(w.handle, GWL_STYLE);
    EXPECT_EQ(system->SetWindowLong(w.handle, GWL_STYLE, style & ~WS_CAPTION), style);
    EXPECT_EQ(system->SetWindowLong(w.handle, GWL_EXSTYLE, WS_EX_LAYERED), 0u);
    EXPECT_EQ(system->GetWindowLong(w.handle, GWL_EXSTYLE), WS_EX_LAYERED);

    EXPECT_TRUE(system->SetWindowText(w.handle, L"Pelmaro"));
    EXPECT_EQ(system->GetWindowText(w.handle), L"Pelmaro");

    EXPECT_FALSE(system->EnableWindow(w.handle, false));   // was enabled
    EXPECT_TRUE(system->EnableWindow(w.handle, false));    // already disabled: no message
    EXPECT_TRUE(system->EnableWindow(w.handle, true));
    EXPECT_EQ(w.log, (std::vector<Received>{{w.handle, WM_ENABLE, 0, 0}, {w.handle, WM_ENABLE, 1, 0}}));

    const WindowHandle gone = w.handle + 1000;
    EXPECT_FALSE(system->SetProp(gone, L"Control", 1));
    EXPECT_EQ(system->GetWindowLong(gone, GWL_STYLE), 0u);
    EXPECT_EQ(system->GetWindowRect(gone), Rect{});
    EXPECT_FALSE(system->ShowWindow(gone, SW_SHOW));
    EXPECT_FALSE(system->SetTimer(gone, 1, 10));
    EXPECT_FALSE(system->InvalidateRect(gone, nullptr, false));
    EXPECT_EQ(system->SendMessage(gone, kAppMessage, 0, 0), 0);
}

TEST_F(MessageLoopTest, CloseDestroysUnlessTheWindowHandlesIt)
{
    RecordingWindow keeps(*system), goes(*system);
    keeps.On(WM_CLOSE, [](uintptr_t, intptr_t) { return 0; });
    keeps.CreateAt({0, 0, 10, 10});
    goes.CreateAt({20, 0, 30, 10});
    system->PostMessage(keeps.handle, WM_CLOSE, 0, 0);
    system->PostMessage(goes.handle, WM_CLOSE, 0, 0);
    system->RunUntilIdle();
    EXPECT_TRUE(system->IsWindow(keeps.handle));
    EXPECT_FALSE(system->IsWindow(goes.handle));
}

} // namespace
