// Raw input on the private Xvfb: xdotool's keys, buttons and wheel notches arrive as WM_INPUT
// with the codes the key capture reads, whichever window has the focus; key names come from the
// server's layout.
#include "RecordingWindow.h"
#include "RunUntil.h"

#include "vinto/platform/RawInputEvent.h"
#include "vinto/platform/X11Backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

class X11RawInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        system = X11Backend::CreateSystem();
        ASSERT_NE(system, nullptr) << "no X display";
        window = std::make_unique<RecordingWindow>(*system, std::set<uint32_t>{WM_INPUT});
        window->CreateAt({50, 50, 150, 150}, WS_POPUP);   // never shown: the input is the desktop's
        ASSERT_TRUE(system->RegisterRawInput(window->handle)) << "no XInput2";
        system->RunUntilIdle();
    }

    // Runs xdotool, then the loop until an event that `last` accepts has arrived; every raw event
    // seen on the way. xdotool may press modifier keys of its own around the ones asked for.
    std::vector<RawInputEvent> Collect(const std::string& arguments, const std::function<bool(const RawInputEvent&)>& last)
    {
        window->log.clear();
        EXPECT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
        std::vector<RawInputEvent> events;
        VintoTest::RunUntil(*system, window->handle, [&] {
            for (const VintoTest::Received& r : window->log)
                events.push_back(RawInputEvent::FromLParam(r.lParam));
            window->log.clear();
            return !events.empty() && last(events.back());
        });
        return events;
    }

    // The events of one key, by its scan code.
    static std::vector<RawInputEvent> OfKey(const std::vector<RawInputEvent>& events, uint8_t make)
    {
        std::vector<RawInputEvent> out;
        for (const RawInputEvent& e : events)
            if (e.device == RawInputEvent::Device::Keyboard && e.makeCode == make)
                out.push_back(e);
        return out;
    }

    std::unique_ptr<WindowSystem> system;
    std::unique_ptr<RecordingWindow> window;
};

TEST_F(X11RawInputTest, KeysArriveWithTheirCodes)
{
    struct Case {
        std::string key;
        uint8_t vk;
        uint8_t side;
        uint8_t make;
        uint16_t e0;
    };
    const Case cases[] = {
        {"a", 'A', 'A', 0x1E, 0},
        {"Right", VK_RIGHT, VK_RIGHT, 0x4D, RI_KEY_E0},
        {"KP_Enter", VK_RETURN, VK_RETURN, 0x1C, RI_KEY_E0},
        {"KP_Home", VK_HOME, VK_HOME, 0x47, 0},
        {"Shift_R", VK_SHIFT, VK_RSHIFT, 0x36, 0},
        {"Control_L", VK_CONTROL, VK_LCONTROL, 0x1D, 0},
        {"F5", VK_F1 + 4, VK_F1 + 4, 0x3F, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const std::vector<RawInputEvent> events = OfKey(
            Collect("key " + c.key, [&](const RawInputEvent& e) { return e.makeCode == c.make && (e.flags & RI_KEY_BREAK); }),
            c.make);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0], RawInputEvent::Key(c.vk, c.side, c.make, RI_KEY_MAKE | c.e0, WM_KEYDOWN));
        EXPECT_EQ(events[1], RawInputEvent::Key(c.vk, c.side, c.make, RI_KEY_BREAK | c.e0, WM_KEYUP));
    }

    // With Alt held the keys are "system" keys.
    const std::vector<RawInputEvent> alt =
        OfKey(Collect("key alt+b", [](const RawInputEvent& e) { return e.virtualKey == 'B' && (e.flags & RI_KEY_BREAK); }),
              0x30);
    ASSERT_EQ(alt.size(), 2u);
    EXPECT_EQ(alt[0].virtualKey, 'B');
    EXPECT_EQ(alt[0].message, WM_SYSKEYDOWN);
}

TEST_F(X11RawInputTest, ButtonsAndWheelArriveAsMouseFlags)
{
    struct Case {
        std::string arguments;
        std::vector<RawInputEvent> expected;
    };
    const Case cases[] = {
        {"click 1", {RawInputEvent::Mouse(RI_MOUSE_LEFT_BUTTON_DOWN), RawInputEvent::Mouse(RI_MOUSE_LEFT_BUTTON_UP)}},
        {"click 3", {RawInputEvent::Mouse(RI_MOUSE_RIGHT_BUTTON_DOWN), RawInputEvent::Mouse(RI_MOUSE_RIGHT_BUTTON_UP)}},
        {"click 2", {RawInputEvent::Mouse(RI_MOUSE_MIDDLE_BUTTON_DOWN), RawInputEvent::Mouse(RI_MOUSE_MIDDLE_BUTTON_UP)}},
        {"click 8", {RawInputEvent::Mouse(RI_MOUSE_BUTTON_4_DOWN), RawInputEvent::Mouse(RI_MOUSE_BUTTON_4_UP)}},
        {"click 9", {RawInputEvent::Mouse(RI_MOUSE_BUTTON_5_DOWN), RawInputEvent::Mouse(RI_MOUSE_BUTTON_5_UP)}},
        {"click 4", {RawInputEvent::Mouse(RI_MOUSE_WHEEL, WHEEL_DELTA)}},
        {"click 5", {RawInputEvent::Mouse(RI_MOUSE_WHEEL, -WHEEL_DELTA)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::vector<RawInputEvent> events =
            Collect(c.arguments, [&](const RawInputEvent& e) { return e == c.expected.back(); });
        EXPECT_EQ(events, c.expected);
    }
}

TEST_F(X11RawInputTest, NothingArrivesAfterStopping)
{
    ASSERT_TRUE(system->RegisterRawInput(0));
    ASSERT_EQ(std::system("xdotool key a click 1"), 0);
    // The server keeps the order of events: had "a" been delivered, it would come before "b".
    ASSERT_TRUE(system->RegisterRawInput(window->handle));
    const std::vector<RawInputEvent> events =
        Collect("key b", [](const RawInputEvent& e) { return e.virtualKey == 'B' && (e.flags & RI_KEY_BREAK); });
    ASSERT_FALSE(events.empty());
    for (const RawInputEvent& e : events) {
        EXPECT_NE(e.virtualKey, 'A');
        EXPECT_EQ(e.device, RawInputEvent::Device::Keyboard);
    }
}

TEST_F(X11RawInputTest, KeyNamesFollowTheServersLayout)
{
    const std::pair<uint32_t, std::wstring> cases[] = {
        {'A', L"A"}, {VK_OEM_1, L";"}, {VK_OEM_2, L"/"}, {VK_PRIOR, L"Page Up"}, {VK_RCONTROL, L"RCtrl"},
    };
    for (const auto& [vk, name] : cases)
        EXPECT_EQ(system->GetKeyNameText(vk), name);
}

} // namespace
