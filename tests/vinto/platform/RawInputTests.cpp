// Raw input as WM_INPUT sees it: the packed event, its delivery to the registered window, scan
// codes of Linux key codes, and key names.
#include "RecordingWindow.h"

#include "vinto/platform/EvdevScanCode.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"
#include "vinto/platform/KeyNames.h"
#include "vinto/platform/RawInputEvent.h"

#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

TEST(RawInputEvent, SurvivesThePackingIntoLParam)
{
    const RawInputEvent cases[] = {
        RawInputEvent::Key('A', 'A', 0x1E, RI_KEY_MAKE, WM_KEYDOWN),
        RawInputEvent::Key(VK_RIGHT, VK_RIGHT, 0x4D, RI_KEY_BREAK | RI_KEY_E0, WM_KEYUP),
        RawInputEvent::Key(VK_SHIFT, VK_RSHIFT, 0x36, RI_KEY_MAKE, WM_SYSKEYDOWN),
        RawInputEvent::Key(0xFF, 0xFF, 0x7D, RI_KEY_BREAK, WM_SYSKEYUP),
        RawInputEvent::Mouse(RI_MOUSE_LEFT_BUTTON_DOWN),
        RawInputEvent::Mouse(RI_MOUSE_BUTTON_5_UP),
        RawInputEvent::Mouse(RI_MOUSE_WHEEL, WHEEL_DELTA),
        RawInputEvent::Mouse(RI_MOUSE_WHEEL, -WHEEL_DELTA),
    };
    for (const RawInputEvent& e : cases)
        EXPECT_EQ(RawInputEvent::FromLParam(e.ToLParam()), e);
    // Any lParam reads as some event, never as more than the fields hold.
    const RawInputEvent forged = RawInputEvent::FromLParam(-1);
    EXPECT_EQ(forged.device, RawInputEvent::Device::Mouse);
    EXPECT_EQ(forged.buttonFlags, 0x07FF);
}

TEST(EvdevScanCode, GivesTheSetOneCodeAndItsPrefix)
{
    const std::pair<uint32_t, ScanCode> cases[] = {
        {1, {0x01, false}},    // Esc
        {30, {0x1E, false}},   // A
        {42, {0x2A, false}},   // left Shift
        {54, {0x36, false}},   // right Shift
        {71, {0x47, false}},   // keypad 7
        {88, {0x58, false}},   // F12
        {96, {0x1C, true}},    // keypad Enter
        {97, {0x1D, true}},    // right Ctrl
        {102, {0x47, true}},   // Home
        {106, {0x4D, true}},   // Right
        {125, {0x5B, true}},   // left Windows
        {124, {0x7D, false}},  // Yen
        {0, {}},
        {84, {}},
        {240, {}},
    };
    for (const auto& [code, scan] : cases) {
        SCOPED_TRACE(code);
        EXPECT_EQ(ScanCodeFromEvdev(code), scan);
    }
}

TEST(KeyNames, NameKeysByLayoutOrByTable)
{
    struct Case {
        uint32_t vk;
        unsigned long keysym;
        std::wstring name;
    };
    const Case cases[] = {
        {'A', XKB_KEY_a, L"A"},
        {'Q', XKB_KEY_a, L"A"},               // the layout decides
        {'Z', 0, L"Z"},
        {'7', XKB_KEY_7, L"7"},
        {VK_OEM_1, XKB_KEY_odiaeresis, L"Ö"},
        {VK_OEM_1, 0, L";"},
        {VK_OEM_7, 0, L"'"},
        {VK_PRIOR, XKB_KEY_Prior, L"Page Up"},
        {VK_NUMPAD0 + 7, XKB_KEY_KP_7, L"Num 7"},
        {0x6C, 0, L"Num Enter"},
        {VK_DECIMAL, 0, L"Num Del"},
        {VK_F1 + 10, XKB_KEY_F11, L"F11"},
        {VK_F24, 0, L"F24"},
        {VK_SPACE, XKB_KEY_space, L"Space"},
        {VK_PAUSE, 0, L"Pause"},
        {VK_SNAPSHOT, 0, L"Print Screen"},
        {VK_LWIN, 0, L"Windows"},
        {VK_RWIN, 0, L"RWindows"},
        {VK_APPS, 0, L"Application"},
        {VK_NUMLOCK, 0, L"Num Lock"},
        {VK_LSHIFT, 0, L"Shift"},
        {VK_RSHIFT, 0, L"RShift"},
        {VK_LCONTROL, 0, L"Ctrl"},
        {VK_RCONTROL, 0, L"RCtrl"},
        {VK_LMENU, 0, L"Alt"},
        {VK_RMENU, 0, L"RAlt"},
        {0xFF, 0, L""},
        {0x89, XKB_KEY_yen, L"¥"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        EXPECT_EQ(KeyNameFor(c.vk, c.keysym), c.name);
    }
}

class RawInputDeliveryTest : public ::testing::Test {
protected:
    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
    RecordingWindow window{*system, {WM_INPUT}};
};

TEST_F(RawInputDeliveryTest, ReachesTheRegisteredWindowUntilStopped)
{
    window.CreateAt({0, 0, 100, 100}, WS_POPUP);   // hidden: the input is someone else's
    const RawInputEvent key = RawInputEvent::Key('A', 'A', 0x1E, RI_KEY_MAKE, WM_KEYDOWN);

    system->Input().RawInput(key);   // nobody asked yet
    ASSERT_TRUE(system->RegisterRawInput(window.handle));
    system->Input().RawInput(key);
    system->SetActiveWindow(window.handle);
    system->Input().RawInput(RawInputEvent::Mouse(RI_MOUSE_WHEEL, -WHEEL_DELTA));
    ASSERT_TRUE(system->RegisterRawInput(0));
    system->Input().RawInput(key);
    system->RunUntilIdle();

    ASSERT_EQ(window.log.size(), 2u);
    EXPECT_EQ(window.log[0].wParam, RIM_INPUTSINK);
    EXPECT_EQ(RawInputEvent::FromLParam(window.log[0].lParam), key);
    EXPECT_EQ(window.log[1].wParam, RIM_INPUT);
    EXPECT_EQ(RawInputEvent::FromLParam(window.log[1].lParam), RawInputEvent::Mouse(RI_MOUSE_WHEEL, -WHEEL_DELTA));
}

TEST_F(RawInputDeliveryTest, StopsWithItsWindowAndSaysWhenThereIsNone)
{
    window.CreateAt({0, 0, 100, 100});
    ASSERT_TRUE(system->RegisterRawInput(window.handle));
    system->DestroyWindow(window.handle);
    EXPECT_EQ(system->Input().RawInputTarget(), 0u);
    system->Input().RawInput(RawInputEvent::Mouse(RI_MOUSE_LEFT_BUTTON_DOWN));
    system->RunUntilIdle();
    EXPECT_TRUE(window.log.empty());

    RecordingWindow other(*system, {WM_INPUT});
    other.CreateAt({0, 0, 100, 100});
    dynamic_cast<HeadlessBackend&>(system->Backend()).SetRawInputAvailable(false);
    EXPECT_FALSE(system->RegisterRawInput(other.handle));
    EXPECT_FALSE(system->RegisterRawInput(12345));
    EXPECT_EQ(system->GetKeyNameText(VK_OEM_2), L"/");
}

} // namespace
