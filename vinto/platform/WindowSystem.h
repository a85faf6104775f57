#pragma once
// The message-based window layer: windows bound to WindowProcedure objects, the UI thread's message
// loop, timers, invalidation and WM_PAINT, capture, focus, activation and owner windows. One
// instance per process; the backend (X11 or headless) is chosen when it is made.
//
// The loop hands out, in this order: messages sent from other threads (handled inside the call),
// posted messages (input included, in arrival order), WM_QUIT, WM_PAINT for a window with a dirty
// region, WM_MOUSEHOVER when due, and WM_TIMER when due.
//
// Thread contract: the thread that makes the instance is the UI thread and owns every window.
// PostMessage, PostQuitMessage, SendMessage, InvalidateRect, SetTimer, KillTimer, IsWindow and
// Current may be called from any thread; everything else on the UI thread only.

#include "vinto/platform/Clock.h"
#include "vinto/platform/Cursor.h"
#include "vinto/platform/Message.h"
#include "vinto/platform/MessageQueue.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/PaintSession.h"
#include "vinto/platform/Surface.h"
#include "vinto/platform/TimerTable.h"
#include "vinto/platform/Waker.h"
#include "vinto/platform/WindowBackend.h"
#include "vinto/platform/WindowProcedure.h"

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace Vinto {

class InputRouter;

struct WindowCreateParams {
    std::wstring title;
    uint32_t classStyle = 0;   // CS_DBLCLKS turns a quick second press into a double click
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect;                 // screen coordinates, or parent client coordinates for WS_CHILD
    WindowHandle parent = 0;   // the parent of a WS_CHILD window, else the owner
};

class WindowSystem {
public:
    explicit WindowSystem(std::unique_ptr<WindowBackend> backend);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // The live instance, or null.
    static WindowSystem* Current();

    // --- Windows
    // Sends WM_NCCREATE (a zero result refuses), WM_CREATE (-1 refuses), WM_SIZE and WM_MOVE, then
    // shows the window when WS_VISIBLE is set. Returns 0 on refusal or for a missing parent.
    WindowHandle CreateWindow(const WindowCreateParams& params, WindowProcedure* procedure);
    // Destroys owned windows first; the window gets WM_DESTROY, its children are destroyed, then it
    // gets WM_NCDESTROY. Timers, queued messages and waiting senders of the window are released.
    bool DestroyWindow(WindowHandle window);
    bool IsWindow(WindowHandle window) const;
    WindowHandle GetParent(WindowHandle window) const;   // of a WS_CHILD window
    WindowHandle GetOwner(WindowHandle window) const;    // of a top-level window
    WindowHandle GetTopLevel(WindowHandle window) const;

    bool ShowWindow(WindowHandle window, int command);  // previous visibility
    bool SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, uint32_t flags);
    bool MoveWindow(WindowHandle window, const Rect& rect);
    bool IsWindowVisible(WindowHandle window) const;   // this window and all its parents
    bool IsIconic(WindowHandle window) const;
    bool IsZoomed(WindowHandle window) const;
    Rect GetWindowRect(WindowHandle window) const;      // screen coordinates
    Rect GetClientRect(WindowHandle window) const;      // (0, 0, width, height)
    Point ClientToScreen(WindowHandle window, Point p) const;
    Point ScreenToClient(WindowHandle window, Point p) const;
    WindowHandle WindowFromPoint(Point screen) const;   // deepest visible window, topmost first

    uint32_t GetWindowLong(WindowHandle window, int index) const;     // GWL_STYLE, GWL_EXSTYLE
    uint32_t SetWindowLong(WindowHandle window, int index, uint32_t value);  // previous value
    uint32_t GetClassStyle(WindowHandle window) const;
    bool SetWindowText(WindowHandle window, const std::wstring& text);
    std::wstring GetWindowText(WindowHandle window) const;

    // An invalid surface changes nothing and gives false.
    bool SetWindowIcon(WindowHandle window, const Surface& icon);

    // Marks a top-level window so that another process finds it by `name` (a second start of the
    // program, or a tool sending it messages). False for a missing window.
    bool PublishWindowMark(WindowHandle window, const std::wstring& name);

    bool SetProp(WindowHandle window, const std::wstring& name, intptr_t value);
    intptr_t GetProp(WindowHandle window, const std::wstring& name) const;
    intptr_t RemoveProp(WindowHandle window, const std::wstring& name);

    // Returns whether the window was disabled before. Disabling drops its focus and capture.
    bool EnableWindow(WindowHandle window, bool enable);
    bool IsWindowEnabled(WindowHandle window) const;   // this window and all its parents

    // --- Activation, focus, capture
    // Activating sends WM_NCACTIVATE and WM_ACTIVATE to the old window (inactive) and the new one,
    // then gives the new one the focus unless it already holds it inside. 0 deactivates.
    WindowHandle SetActiveWindow(WindowHandle window, uintptr_t how = WA_ACTIVE);
    WindowHandle GetActiveWindow() const;
    bool SetForegroundWindow(WindowHandle window);
    // WM_KILLFOCUS to the old window, WM_SETFOCUS to the new one; returns the old one. Focusing a
    // window inside another top-level window activates that one, unless it is WS_EX_NOACTIVATE.
    WindowHandle SetFocus(WindowHandle window);
    WindowHandle GetFocus() const;
    WindowHandle SetCapture(WindowHandle window);
    bool ReleaseCapture();
    WindowHandle GetCapture() const;

    // --- Messages
    bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // On the UI thread the procedure is called at once; from another thread the call waits until
    // the UI thread's loop has handled it (0 when the window goes away or the layer stops).
    intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void PostQuitMessage(int exitCode);
    // Waits for the next message; false when it is WM_QUIT (its wParam is the exit code).
    bool GetMessage(Message& message);
    // The next message without waiting; false when there is none.
    bool PeekMessage(Message& message);
    intptr_t DispatchMessage(const Message& message);
    // What a window does with messages it leaves alone: WM_CLOSE destroys it, WM_PAINT validates
    // it, WM_NCLBUTTONDOWN on HTCAPTION moves it, WM_NCACTIVATE returns 1.
    intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Dispatches every message available now without waiting (tests and shutdown). Returns false
    // when it met WM_QUIT, which it consumes; `exitCode` receives its code.
    bool RunUntilIdle(int* exitCode = nullptr);
    uint32_t GetMessageTime() const { return messageTime_; }

    // --- Timers
    bool SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs);
    bool KillTimer(WindowHandle window, uintptr_t id);

    // --- Painting
    // Adds `rect` (client coordinates; null = the whole client area) to the dirty region and wakes
    // the loop. Callable from any thread.
    bool InvalidateRect(WindowHandle window, const Rect* rect, bool erase);
    bool ValidateRect(WindowHandle window, const Rect* rect);
    Rect GetUpdateRect(WindowHandle window) const;
    // Sends WM_PAINT now when the window has a dirty region.
    bool UpdateWindow(WindowHandle window);
    // Takes and clears the dirty region; the session draws into the window's surface and shows the
    // painted part when it ends. An invalid session for a missing window.
    PaintSession BeginPaint(WindowHandle window);
    // The window's surface with its visible children drawn in (what the window shows).
    Surface CaptureWindow(WindowHandle window) const;

    // --- Pointer, keyboard, screen
    InputRouter& Input() { return *input_; }
    bool TrackMouseEvent(WindowHandle window, uint32_t flags, uint32_t hoverMs);
    Point GetCursorPos() const;
    int16_t GetKeyState(uint32_t virtualKey) const;   // negative while the key is down
    uint32_t GetDoubleClickTime() const;
    void SetDoubleClickTime(uint32_t milliseconds);
    // How long a text caret stays on, and then off, while it blinks.
    uint32_t GetCaretBlinkTime() const { return caretBlinkTime_; }
    void SetCaretBlinkTime(uint32_t milliseconds) { caretBlinkTime_ = milliseconds; }
    void SetCursor(CursorShape shape);
    CursorShape GetCursor() const { return cursor_; }
    Rect ScreenRect() const;
    Rect MonitorWorkArea(Point nearPoint) const;
    // Every key and button event of the desktop goes to `window` as WM_INPUT (RawInputEvent in
    // lParam), whichever window has the focus, until called with 0 or the window goes. False when
    // the window system has no raw input: the caller does without.
    bool RegisterRawInput(WindowHandle window);
    // The key's name in the current keyboard layout (KeyNameFor).
    std::wstring GetKeyNameText(uint32_t virtualKey);
    void SetClipboardText(const std::wstring& text) { backend_->SetClipboardText(text); }
    std::wstring GetClipboardText() { return backend_->ClipboardText(); }

    // --- What the window system did on its own (called by backends)
    // The window manager moved or resized a top-level window: WM_MOVE and WM_SIZE follow.
    void NativeGeometryChanged(WindowHandle window, const Rect& screenRect);
    // The window manager minimised a shown top-level window, or brought it back (task bar).
    void NativeIconified(WindowHandle window, bool iconic);
    // The window system gave the keyboard focus to one of our windows, or took it away.
    void NativeActivated(WindowHandle window, bool active);

    Clock& GetClock() { return clock_; }
    WindowBackend& Backend() { return *backend_; }
    bool IsUiThread() const { return std::this_thread::get_id() == uiThread_; }

private:
    friend class InputRouter;
    friend class PaintSession;

    struct Window;
    Window* Find(WindowHandle window);
    const Window* Find(WindowHandle window) const;
    WindowBackend::WindowView ViewOf(const Window& w) const;
    void NotifyBackend(WindowHandle window);
    intptr_t CallProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool NextMessage(Message& message);
    bool TakePaint(Message& message);
    void DispatchSentMessages();
    void WaitForEvents();
    void DestroyTree(WindowHandle window);
    void ApplyRect(WindowHandle window, const Rect& rect, uintptr_t sizeType, bool announceSize = false);
    void Activate(WindowHandle window, bool show);
    void ActivateAfterLoss(WindowHandle leaving);
    bool IsInside(WindowHandle window, WindowHandle ancestor) const;
    void EndPaint(WindowHandle window, const Rect& painted);
    Message MakeMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) const;

    std::unique_ptr<WindowBackend> backend_;
    Clock clock_;
    Waker waker_;
    MessageQueue queue_;
    TimerTable timers_;
    std::unique_ptr<InputRouter> input_;
    std::thread::id uiThread_;

    // Guards the window table and dirty regions, which other threads reach through IsWindow,
    // PostMessage and InvalidateRect; every other field of a window is the UI thread's.
    mutable std::mutex windowsMutex_;
    std::unordered_map<WindowHandle, std::unique_ptr<Window>> windows_;
    std::vector<WindowHandle> zOrder_;   // top-level windows, bottom first
    WindowHandle nextHandle_ = 1;

    WindowHandle active_ = 0;
    WindowHandle focus_ = 0;
    WindowHandle capture_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
    uint32_t messageTime_ = 0;
    uint32_t caretBlinkTime_ = 530;
};

} // namespace Vinto
