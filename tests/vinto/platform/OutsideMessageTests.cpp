// Another process reaching the program's marked main window on the private Xvfb: the message
// tool finds it by its mark, its messages arrive in the window's queue with their parameters,
// messages of the window system itself are refused, and a minimised window is raised.
#include "RecordingWindow.h"
#include "RunUntil.h"

#include "vinto/platform/X11Backend.h"
#include "vinto/platform/X11Peer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

// Xlib defines macros that break gtest's headers: it comes last.
#include <X11/Xlib.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

const std::wstring kMark = L"Pelmaro Outside Test";

class OutsideMessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        system = X11Backend::CreateSystem();
        ASSERT_NE(system, nullptr) << "no X display";
        backend = &dynamic_cast<X11Backend&>(system->Backend());
        recorder = std::make_unique<RecordingWindow>(
            *system, std::set<uint32_t>{1674, 1692, 1705, 2022, WM_CLOSE, OCM_CTLCOLOREDIT});
        recorder->CreateAt({100, 100, 300, 250}, WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(system->PublishWindowMark(recorder->handle, kMark));
        ASSERT_TRUE(RunUntil([&] { return Viewable(); }));
    }

    bool RunUntil(const std::function<bool()>& done) { return VintoTest::RunUntil(*system, recorder->handle, done); }

    bool Viewable() const
    {
        XWindowAttributes attrs{};
        return XGetWindowAttributes(backend->NativeDisplay(), backend->NativeWindow(recorder->handle), &attrs) &&
               attrs.map_state == IsViewable;
    }

    // Runs the message tool with `arguments`; its exit status.
    static int Send(const std::string& arguments)
    {
        const int status = std::system((std::string(VINTOSEND_PATH) + " " + arguments + " 2>/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::unique_ptr<WindowSystem> system;
    X11Backend* backend = nullptr;
    std::unique_ptr<RecordingWindow> recorder;
};

TEST_F(OutsideMessageTest, TheToolsMessagesArriveWithTheirParameters)
{
    struct Case {
        std::string arguments;
        VintoTest::Received expected;
    };
    const Case cases[] = {
        {"1692 2", {0, 1692, 2, 0}},
        {"1705 2 3", {0, 1705, 2, 3}},
        {"0x7E6", {0, 2022, 0, 0}},
        {"1674 0xFFFFFFFF -1", {0, 1674, 0xFFFFFFFFu, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        recorder->log.clear();
        ASSERT_EQ(Send("'" + std::string("Pelmaro Outside Test") + "' " + c.arguments), 0);
        ASSERT_TRUE(RunUntil([&] { return !recorder->log.empty(); }));
        VintoTest::Received expected = c.expected;
        expected.window = recorder->handle;
        EXPECT_EQ(recorder->log.front(), expected);
    }
}

TEST_F(OutsideMessageTest, WindowSystemMessagesFromOutsideAreRefused)
{
    recorder->log.clear();
    ASSERT_EQ(Send("'Pelmaro Outside Test' 16"), 0);       // WM_CLOSE
    ASSERT_EQ(Send("'Pelmaro Outside Test' 0x2133 1 2"), 0);   // a colour question carrying a pointer
    ASSERT_EQ(Send("'Pelmaro Outside Test' 1674 7"), 0);   // arrives after both
    ASSERT_TRUE(RunUntil([&] { return !recorder->log.empty(); }));
    EXPECT_TRUE(system->IsWindow(recorder->handle));
    EXPECT_EQ(recorder->log.front().message, 1674u);
}

TEST_F(OutsideMessageTest, MissingWindowsAndBadCommandLinesAreReported)
{
    EXPECT_EQ(Send("'Nobody Marked This' 1692 1"), 1);
    EXPECT_EQ(Send("'Pelmaro Outside Test'"), 2);
    EXPECT_EQ(Send("'Pelmaro Outside Test' 1692 x"), 2);
    EXPECT_EQ(Send("'Pelmaro Outside Test' 1692 1 2 3"), 2);
    EXPECT_EQ(Send("'Pelmaro Outside Test' -5"), 2);
}

TEST_F(OutsideMessageTest, ASecondStartFindsAndRaisesTheMinimisedWindow)
{
    // Minimised the way a window manager does it: unmapped by another client.
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    XUnmapWindow(other, backend->NativeWindow(recorder->handle));
    XCloseDisplay(other);
    ASSERT_TRUE(RunUntil([&] { return system->IsIconic(recorder->handle); }));

    const std::unique_ptr<X11Peer> peer = X11Peer::Open();
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->FindMarkedWindow(kMark), backend->NativeWindow(recorder->handle));
    EXPECT_EQ(peer->FindMarkedWindow(L"Nobody Marked This"), 0u);

    EXPECT_EQ(Send("'Pelmaro Outside Test' --raise"), 0);
    EXPECT_TRUE(RunUntil([&] { return Viewable() && !system->IsIconic(recorder->handle); }));
}

TEST_F(OutsideMessageTest, ASecondStartShowsAWindowHiddenToTheTray)
{
    system->ShowWindow(recorder->handle, SW_HIDE);
    ASSERT_TRUE(RunUntil([&] { return !Viewable(); }));
    EXPECT_EQ(Send("'Pelmaro Outside Test' --raise"), 0);
    EXPECT_TRUE(RunUntil([&] { return Viewable() && system->IsWindowVisible(recorder->handle); }));
}

} // namespace
