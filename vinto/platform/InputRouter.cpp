#include "vinto/platform/InputRouter.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

#include <cstdlib>

namespace Vinto {

namespace {
// How far apart two presses may be and still make a double click, and how far the pointer may
// wander while it hovers.
constexpr int kDoubleClickSlop = 2;
constexpr int kHoverSlop = 2;

uint32_t DownMessage(MouseButton b)
{
    return b == MouseButton::Left ? WM_LBUTTONDOWN : b == MouseButton::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
}
uint32_t UpMessage(MouseButton b)
{
    return b == MouseButton::Left ? WM_LBUTTONUP : b == MouseButton::Right ? WM_RBUTTONUP : WM_MBUTTONUP;
}
uint32_t ButtonKey(MouseButton b)
{
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}
} // namespace

InputRouter::InputRouter(WindowSystem& system) : system_(system) {}

Point InputRouter::CursorPos() const
{
    const uint64_t packed = cursor_.load();
    return {static_cast<int32_t>(packed >> 32), static_cast<int32_t>(packed & 0xFFFFFFFF)};
}

void InputRouter::SetCursorPos(Point screen)
{
    cursor_ = (static_cast<uint64_t>(static_cast<uint32_t>(screen.x)) << 32) | static_cast<uint32_t>(screen.y);
}

WindowHandle InputRouter::Target(Point screen, WindowHandle target) const
{
    if (system_.GetCapture())
        return system_.GetCapture();
    return target ? target : system_.WindowFromPoint(screen);
}

void InputRouter::PostMouse(WindowHandle window, uint32_t message, Point screen)
{
    const Point client = system_.ScreenToClient(window, screen);
    system_.PostMessage(window, message, MouseKeyFlags(), MakeLParam(client.x, client.y));
}

void InputRouter::UpdateLeave(WindowHandle under)
{
    if (!tracking_.window || under == tracking_.window)
        return;
    if (tracking_.leave)
        system_.PostMessage(tracking_.window, WM_MOUSELEAVE, 0, 0);
    tracking_ = {};
}

void InputRouter::MouseMove(Point screen, WindowHandle target)
{
    SetCursorPos(screen);
    if (move_.window) {
        const Rect r = system_.GetWindowRect(move_.window);
        system_.SetWindowPos(move_.window, move_.origin.x + screen.x - move_.start.x,
                             move_.origin.y + screen.y - move_.start.y, r.Width(), r.Height(),
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const WindowHandle under = target ? target : system_.WindowFromPoint(screen);
    UpdateLeave(under);
    if (tracking_.hover && under == tracking_.window &&
        (std::abs(screen.x - tracking_.anchor.x) > kHoverSlop || std::abs(screen.y - tracking_.anchor.y) > kHoverSlop)) {
        tracking_.anchor = screen;
        tracking_.deadline = system_.GetClock().Now() + tracking_.hoverMs;
    }
    const WindowHandle window = Target(screen, target);
    if (window && (window == system_.GetCapture() || system_.IsWindowEnabled(window)))
        PostMouse(window, WM_MOUSEMOVE, screen);
}

bool InputRouter::IsDoubleClick(MouseButton button, WindowHandle window, Point screen, uint64_t now)
{
    const bool isDouble = lastPress_.valid && lastPress_.button == button && lastPress_.window == window &&
                          now - lastPress_.time <= doubleClickTime_ &&
                          std::abs(screen.x - lastPress_.point.x) <= kDoubleClickSlop &&
                          std::abs(screen.y - lastPress_.point.y) <= kDoubleClickSlop;
    // A double click ends the sequence: the next press starts a new one.
    if (isDouble)
        lastPress_ = {};
    else
        lastPress_ = {button, window, screen, now, true};
    return isDouble;
}

void InputRouter::MouseButtonEvent(MouseButton button, bool down, Point screen, WindowHandle target)
{
    SetCursorPos(screen);
    keys_[ButtonKey(button)] = down;
    if (!down && move_.window && button == MouseButton::Left) {
        move_ = {};
        return;
    }
    const WindowHandle window = Target(screen, target);
    if (!down) {
        if (window)
            PostMouse(window, UpMessage(button), screen);
        return;
    }
    if (!window) {
        // A press on no window of ours takes the activation away, as a press on the desktop does.
        system_.SetActiveWindow(0);
        lastPress_ = {};
        return;
    }
    if (window != system_.GetCapture() && !system_.IsWindowEnabled(window))
        return;
    const WindowHandle top = system_.GetTopLevel(window);
    if (top != system_.GetActiveWindow() && !(system_.GetWindowLong(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
        system_.SetActiveWindow(top, WA_CLICKACTIVE);
    if (!system_.IsWindow(window))
        return;
    uint32_t message = DownMessage(button);
    if (IsDoubleClick(button, window, screen, system_.GetClock().Now()) &&
        (system_.GetClassStyle(window) & CS_DBLCLKS))
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    PostMouse(window, message, screen);
}

void InputRouter::Wheel(int delta, Point screen, WindowHandle target)
{
    SetCursorPos(screen);
    const WindowHandle window = Target(screen, target);
    if (!window || !system_.IsWindowEnabled(window))
        return;
    system_.PostMessage(window, WM_MOUSEWHEEL, MakeWParam(static_cast<int>(MouseKeyFlags()), delta),
                        MakeLParam(screen.x, screen.y));
}

void InputRouter::PointerLeft() { UpdateLeave(0); }

void InputRouter::Key(uint32_t virtualKey, bool down, char32_t text)
{
    virtualKey &= 0xFF;
    const bool wasDown = keys_[virtualKey];
    keys_[virtualKey] = down;
    const WindowHandle window = system_.GetFocus() ? system_.GetFocus() : system_.GetActiveWindow();
    if (!window || !system_.IsWindowEnabled(window))
        return;
    const bool alt = keys_[VK_MENU] || virtualKey == VK_MENU;
    const bool system = alt || virtualKey == VK_F10;
    uint32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    // Repeat count 1; bit 29 Alt held; bit 30 the key was down before; bit 31 released.
    uint32_t flags = 1;
    if (alt)
        flags |= 1u << 29;
    if (wasDown)
        flags |= 1u << 30;
    if (!down)
        flags |= 1u << 31;
    system_.PostMessage(window, message, virtualKey, static_cast<intptr_t>(flags));
    if (down && text)
        system_.PostMessage(window, alt ? WM_SYSCHAR : WM_CHAR, text, static_cast<intptr_t>(flags));
}

void InputRouter::Click(Point screen, MouseButton button)
{
    MouseMove(screen);
    MouseButtonEvent(button, true, screen);
    MouseButtonEvent(button, false, screen);
}

bool InputRouter::TrackMouseEvent(WindowHandle window, uint32_t flags, uint32_t hoverMs)
{
    if (!system_.IsWindow(window))
        return false;
    if (flags & TME_CANCEL) {
        if (tracking_.window == window) {
            tracking_.leave = tracking_.leave && !(flags & TME_LEAVE);
            tracking_.hover = tracking_.hover && !(flags & TME_HOVER);
        }
        return true;
    }
    // Asking while the pointer is already elsewhere reports the leave at once.
    if (system_.WindowFromPoint(CursorPos()) != window && !system_.GetCapture()) {
        if (flags & TME_LEAVE)
            system_.PostMessage(window, WM_MOUSELEAVE, 0, 0);
        return true;
    }
    if (tracking_.window != window)
        tracking_ = {};
    tracking_.window = window;
    tracking_.leave = tracking_.leave || (flags & TME_LEAVE);
    if (flags & TME_HOVER) {
        tracking_.hover = true;
        tracking_.hoverMs = hoverMs == HOVER_DEFAULT ? 400 : hoverMs;
        tracking_.anchor = CursorPos();
        tracking_.deadline = system_.GetClock().Now() + tracking_.hoverMs;
    }
    return true;
}

std::optional<Message> InputRouter::TakeHover(uint64_t now)
{
    if (!tracking_.hover || now < tracking_.deadline || !system_.IsWindow(tracking_.window))
        return std::nullopt;
    tracking_.hover = false;
    const Point client = system_.ScreenToClient(tracking_.window, CursorPos());
    Message m;
    m.window = tracking_.window;
    m.message = WM_MOUSEHOVER;
    m.wParam = MouseKeyFlags();
    m.lParam = MakeLParam(client.x, client.y);
    m.time = static_cast<uint32_t>(now);
    m.cursor = CursorPos();
    return m;
}

std::optional<uint64_t> InputRouter::HoverDeadline() const
{
    if (!tracking_.hover)
        return std::nullopt;
    return tracking_.deadline;
}

void InputRouter::BeginManualMove(WindowHandle window, Point screen)
{
    if (!keys_[VK_LBUTTON])
        return;
    const Rect r = system_.GetWindowRect(window);
    move_ = {window, screen, {r.left, r.top}};
    // The pointer may have moved on while the press waited in the queue.
    if (CursorPos() != screen)
        MouseMove(CursorPos());
}

int16_t InputRouter::KeyState(uint32_t virtualKey) const
{
    const uint32_t vk = virtualKey & 0xFF;
    bool down = keys_[vk];
    if (vk == VK_SHIFT)
        down = down || keys_[VK_LSHIFT] || keys_[VK_RSHIFT];
    else if (vk == VK_CONTROL)
        down = down || keys_[VK_LCONTROL] || keys_[VK_RCONTROL];
    else if (vk == VK_MENU)
        down = down || keys_[VK_LMENU] || keys_[VK_RMENU];
    return down ? static_cast<int16_t>(-128) : 0;
}

uintptr_t InputRouter::MouseKeyFlags() const
{
    uintptr_t flags = 0;
    if (keys_[VK_LBUTTON])
        flags |= MK_LBUTTON;
    if (keys_[VK_RBUTTON])
        flags |= MK_RBUTTON;
    if (keys_[VK_MBUTTON])
        flags |= MK_MBUTTON;
    if (KeyState(VK_SHIFT) < 0)
        flags |= MK_SHIFT;
    if (KeyState(VK_CONTROL) < 0)
        flags |= MK_CONTROL;
    return flags;
}

void InputRouter::RawInput(const RawInputEvent& event)
{
    if (rawTarget_)
        system_.PostMessage(rawTarget_, WM_INPUT, system_.GetActiveWindow() ? RIM_INPUT : RIM_INPUTSINK, event.ToLParam());
}

bool InputRouter::SetRawInputTarget(WindowHandle window)
{
    if (!window) {
        if (rawTarget_)
            system_.Backend().StopRawInput();
        rawTarget_ = 0;
        return true;
    }
    if (!system_.IsWindow(window) || !system_.Backend().StartRawInput())
        return false;
    rawTarget_ = window;
    return true;
}

void InputRouter::ForgetWindow(WindowHandle window)
{
    if (rawTarget_ == window)
        SetRawInputTarget(0);
    if (tracking_.window == window)
        tracking_ = {};
    if (lastPress_.window == window)
        lastPress_ = {};
    if (move_.window == window)
        move_ = {};
}

} // namespace Vinto
