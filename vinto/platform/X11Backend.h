#pragma once
// The X11 window system: one X window per layer window (32-bit ARGB visual where the server has
// one, so layered windows keep their alpha under a compositor), frameless windows through
// _MOTIF_WM_HINTS, layered windows cut to their opaque pixels where no compositor runs, popups as
// override-redirect windows that grab pointer and keyboard so a press
// outside them is seen, caption drags through _NET_WM_MOVERESIZE, messages from other programs
// as _VINTO_MESSAGE client messages (the program's own numbers only), _VINTO_RESTORE showing a
// window another start of the program asks for, the clipboard, XInput2 raw
// input, and Xlib's queue drained before every poll.
// Thread contract: UI thread only.

#include "vinto/platform/WindowBackend.h"

#include <memory>
#include <string>
#include <unordered_map>

typedef struct _XDisplay Display;

namespace Vinto {

class X11Backend : public WindowBackend {
public:
    // Null when the display cannot be opened (null name: $DISPLAY).
    static std::unique_ptr<X11Backend> Open(const char* displayName = nullptr);
    // A WindowSystem on the display, or null when it cannot be opened.
    static std::unique_ptr<WindowSystem> CreateSystem(const char* displayName = nullptr);
    ~X11Backend() override;

    void Attach(WindowSystem& system) override;
    Clock::Kind ClockKind() const override { return Clock::Kind::Monotonic; }
    Rect ScreenRect() const override;
    Rect WorkArea(Point nearPoint) const override;

    void WindowCreated(const WindowView& view) override;
    void WindowChanged(const WindowView& view) override;
    void WindowDestroyed(WindowHandle handle) override;
    void Present(WindowHandle handle, const Surface& surface, const Rect& dirty) override;

    void SetIcon(WindowHandle handle, const Surface& icon) override;
    void Activate(WindowHandle handle) override;
    void SetCursor(CursorShape shape) override;
    bool BeginMoveDrag(WindowHandle handle, Point screen) override;
    void GrabPointer(WindowHandle handle) override;
    void SetClipboardText(const std::wstring& text) override;
    std::wstring ClipboardText() override;
    void MarkWindow(WindowHandle handle, const std::wstring& name) override;
    bool DockInTray(WindowHandle handle) override;
    bool StartRawInput() override;
    void StopRawInput() override;
    unsigned long KeysymForVirtualKey(uint32_t virtualKey) override;

    int EventFd() const override;
    void Pump() override;

    // For tests and the program's own X properties.
    Display* NativeDisplay() const;
    unsigned long NativeWindow(WindowHandle handle) const;
    int NativeDepth(WindowHandle handle) const;

private:
    X11Backend();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace Vinto
