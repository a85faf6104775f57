#pragma once
// What a window system (X11, or the in-memory headless one) does for the layer: mirror the layer's
// windows natively, show what was painted, and feed native input back through the InputRouter.
// Thread contract: called on the UI thread only.

#include "vinto/platform/Clock.h"
#include "vinto/platform/Cursor.h"
#include "vinto/platform/Message.h"

#include <string>

namespace Vinto {

class Surface;
class WindowSystem;

class WindowBackend {
public:
    // What the backend needs to know of one window to mirror it.
    struct WindowView {
        WindowHandle handle = 0;
        WindowHandle parent = 0;  // of a WS_CHILD window
        WindowHandle owner = 0;   // of a top-level window
        Rect rect;                // screen coordinates, or parent client coordinates for a child
        uint32_t style = 0;
        uint32_t exStyle = 0;
        std::wstring title;
    };

    virtual ~WindowBackend() = default;

    // Called once by the WindowSystem that owns the backend, before any other call.
    virtual void Attach(WindowSystem& system) = 0;
    virtual Clock::Kind ClockKind() const = 0;
    virtual Rect ScreenRect() const = 0;
    virtual Rect WorkArea(Point nearPoint) const = 0;

    virtual void WindowCreated(const WindowView& view) = 0;
    // Position, size, visibility, styles or title changed.
    virtual void WindowChanged(const WindowView& view) = 0;
    virtual void WindowDestroyed(WindowHandle handle) = 0;
    // Shows `dirty` (client coordinates) of the window's freshly painted surface.
    virtual void Present(WindowHandle handle, const Surface& surface, const Rect& dirty) = 0;

    // The picture the desktop shows for the window (task bar, switcher).
    virtual void SetIcon(WindowHandle handle, const Surface& icon) = 0;
    // Gives the window the keyboard focus of the window system.
    virtual void Activate(WindowHandle handle) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // Lets the window manager move the window while the left button is held; false means the layer
    // moves it itself from the pointer motion.
    virtual bool BeginMoveDrag(WindowHandle handle, Point screen) = 0;
    // Mouse capture and popups that must see presses outside themselves; 0 releases.
    virtual void GrabPointer(WindowHandle handle) = 0;

    // The desktop's clipboard. Reading gives an empty text when it holds no text or its owner does
    // not answer in time.
    virtual void SetClipboardText(const std::wstring& text) = 0;
    virtual std::wstring ClipboardText() = 0;

    // Marks the window with a property other processes of the desktop can find it by.
    virtual void MarkWindow(WindowHandle handle, const std::wstring& name) = 0;

    // Hands the window to the desktop's system tray (XEmbed), which places, sizes and maps it;
    // false when there is no such tray.
    virtual bool DockInTray(WindowHandle handle) = 0;

    // Raw key and button events of the whole desktop, reported through InputRouter::RawInput while
    // started. False when the window system has none.
    virtual bool StartRawInput() = 0;
    virtual void StopRawInput() = 0;
    // The keysym the current layout's key for `virtualKey` types without modifiers; 0 when none.
    virtual unsigned long KeysymForVirtualKey(uint32_t virtualKey) = 0;

    // A descriptor to poll beside the layer's own wake-up descriptor, or -1.
    virtual int EventFd() const = 0;
    // Flushes output and translates every pending native event into input calls.
    virtual void Pump() = 0;
};

} // namespace Vinto
