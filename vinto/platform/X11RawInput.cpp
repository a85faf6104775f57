#include "vinto/platform/X11RawInput.h"

#include "vinto/platform/EvdevScanCode.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/X11KeyMap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace Vinto {

namespace {

// The left or right variant of a modifier key; the key itself for every other.
uint8_t SideKey(KeySym keysym, uint32_t vk)
{
    switch (keysym) {
    case XK_Shift_L:
        return VK_LSHIFT;
    case XK_Shift_R:
        return VK_RSHIFT;
    case XK_Control_L:
        return VK_LCONTROL;
    case XK_Control_R:
        return VK_RCONTROL;
    case XK_Alt_L:
    case XK_Meta_L:
        return VK_LMENU;
    case XK_Alt_R:
    case XK_ISO_Level3_Shift:
        return VK_RMENU;
    default:
        return static_cast<uint8_t>(vk);
    }
}

} // namespace

X11RawInput::X11RawInput(Display* display) : display_(display)
{
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return;
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 2))
        return;
    opcode_ = opcode;
}

void X11RawInput::Select(bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
}

bool X11RawInput::Start()
{
    if (!IsAvailable())
        return false;
    if (!started_)
        Select(true);
    started_ = true;
    return true;
}

void X11RawInput::Stop()
{
    if (started_)
        Select(false);
    started_ = false;
    leftAlt_ = rightAlt_ = false;
}

std::optional<RawInputEvent> X11RawInput::KeyEvent(unsigned int keycode, bool down)
{
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    const KeySym keysym = XkbKeycodeToKeysym(display_, static_cast<KeyCode>(keycode), state.group, 0);
    // The keypad's middle key names no movement; the PC keyboard calls it Clear.
    uint32_t vk = keysym == XK_KP_Begin ? 0x0C : VirtualKeyFromKeysym(keysym);
    const ScanCode scan = ScanCodeFromEvdev(keycode >= 8 ? keycode - 8 : 0);
    if (!vk && !scan.make)
        return std::nullopt;
    if (!vk)
        vk = 0xFF;   // a key with a scan code but no meaning of its own
    const uint8_t side = SideKey(keysym, vk);
    if (side == VK_LMENU)
        leftAlt_ = down;
    else if (side == VK_RMENU)
        rightAlt_ = down;
    const bool system = leftAlt_ || rightAlt_ || vk == VK_MENU || vk == VK_F10;
    const uint32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    const uint16_t flags = (down ? RI_KEY_MAKE : RI_KEY_BREAK) | (scan.e0 ? RI_KEY_E0 : 0);
    return RawInputEvent::Key(static_cast<uint8_t>(vk), side, scan.make, flags, message);
}

std::optional<RawInputEvent> X11RawInput::ButtonEvent(unsigned int button, bool down)
{
    switch (button) {
    case 1:
        return RawInputEvent::Mouse(down ? RI_MOUSE_LEFT_BUTTON_DOWN : RI_MOUSE_LEFT_BUTTON_UP);
    case 2:
        return RawInputEvent::Mouse(down ? RI_MOUSE_MIDDLE_BUTTON_DOWN : RI_MOUSE_MIDDLE_BUTTON_UP);
    case 3:
        return RawInputEvent::Mouse(down ? RI_MOUSE_RIGHT_BUTTON_DOWN : RI_MOUSE_RIGHT_BUTTON_UP);
    case 4:
    case 5:
        // A notch is one press and release; the press counts.
        if (!down)
            return std::nullopt;
        return RawInputEvent::Mouse(RI_MOUSE_WHEEL, static_cast<int16_t>(button == 4 ? WHEEL_DELTA : -WHEEL_DELTA));
    case 8:
        return RawInputEvent::Mouse(down ? RI_MOUSE_BUTTON_4_DOWN : RI_MOUSE_BUTTON_4_UP);
    case 9:
        return RawInputEvent::Mouse(down ? RI_MOUSE_BUTTON_5_DOWN : RI_MOUSE_BUTTON_5_UP);
    default:
        return std::nullopt;
    }
}

std::optional<RawInputEvent> X11RawInput::Translate(XEvent& e)
{
    if (opcode_ < 0 || e.type != GenericEvent || e.xcookie.extension != opcode_ || !XGetEventData(display_, &e.xcookie))
        return std::nullopt;
    std::optional<RawInputEvent> result;
    const XIRawEvent* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
    if (started_) {
        switch (e.xcookie.evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            result = KeyEvent(static_cast<unsigned int>(raw->detail), e.xcookie.evtype == XI_RawKeyPress);
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            result = ButtonEvent(static_cast<unsigned int>(raw->detail), e.xcookie.evtype == XI_RawButtonPress);
            break;
        default:
            break;
        }
    }
    XFreeEventData(display_, &e.xcookie);
    return result;
}

} // namespace Vinto
