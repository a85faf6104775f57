#pragma once
// Turns pointer and keyboard input into window messages: picks the target window (capture first,
// then the window under the pointer or the focus window), activates on a press, makes double
// clicks by the CS_DBLCLKS rules, reports leave and hover for TrackMouseEvent, keeps the key state
// and moves a window dragged by its caption when the window manager does not.
// Backends call it with native events; headless tests call it to inject input.
// Thread contract: UI thread only, except CursorPos.

#include "vinto/platform/Message.h"
#include "vinto/platform/RawInputEvent.h"

#include <array>
#include <atomic>
#include <optional>

namespace Vinto {

class WindowSystem;

enum class MouseButton { Left, Right, Middle };

class InputRouter {
public:
    explicit InputRouter(WindowSystem& system);

    // `target` is the native window the event arrived on, or 0 to find it by the screen point.
    void MouseMove(Point screen, WindowHandle target = 0);
    void MouseButtonEvent(MouseButton button, bool down, Point screen, WindowHandle target = 0);
    // `delta` in WHEEL_DELTA units per notch, positive away from the user.
    void Wheel(int delta, Point screen, WindowHandle target = 0);
    // The pointer left every window of the program.
    void PointerLeft();
    // `text` is the character the key types (0 for none).
    void Key(uint32_t virtualKey, bool down, char32_t text = 0);

    // A raw key or button event of the desktop: WM_INPUT to the window that asked for them.
    void RawInput(const RawInputEvent& event);
    // Starts raw input for `window` (0 stops it); false when the window system has none.
    bool SetRawInputTarget(WindowHandle window);
    WindowHandle RawInputTarget() const { return rawTarget_; }

    // Convenience for tests: move, press and release the left button at one point.
    void Click(Point screen, MouseButton button = MouseButton::Left);

    bool TrackMouseEvent(WindowHandle window, uint32_t flags, uint32_t hoverMs);
    std::optional<Message> TakeHover(uint64_t now);
    std::optional<uint64_t> HoverDeadline() const;

    // Moves `window` with the pointer until the left button goes up.
    void BeginManualMove(WindowHandle window, Point screen);

    // Callable from any thread: messages posted by other threads carry it too.
    Point CursorPos() const;
    int16_t KeyState(uint32_t virtualKey) const;
    uintptr_t MouseKeyFlags() const;
    uint32_t DoubleClickTime() const { return doubleClickTime_; }
    void SetDoubleClickTime(uint32_t ms) { doubleClickTime_ = ms; }

    // A window went away: forget every reference to it.
    void ForgetWindow(WindowHandle window);

private:
    WindowHandle Target(Point screen, WindowHandle target) const;
    void UpdateLeave(WindowHandle under);
    void PostMouse(WindowHandle window, uint32_t message, Point screen);
    bool IsDoubleClick(MouseButton button, WindowHandle window, Point screen, uint64_t now);

    void SetCursorPos(Point screen);

    WindowSystem& system_;
    std::atomic<uint64_t> cursor_{0};   // x in the high half, y in the low half
    std::array<bool, 256> keys_{};
    uint32_t doubleClickTime_ = 500;
    WindowHandle rawTarget_ = 0;

    struct LastPress {
        MouseButton button = MouseButton::Left;
        WindowHandle window = 0;
        Point point;
        uint64_t time = 0;
        bool valid = false;
    } lastPress_;

    struct Tracking {
        WindowHandle window = 0;
        bool leave = false;
        bool hover = false;
        uint32_t hoverMs = 400;
        Point anchor;
        uint64_t deadline = 0;
    } tracking_;

    struct ManualMove {
        WindowHandle window = 0;
        Point start;
        Point origin;
    } move_;
};

} // namespace Vinto
