#pragma once
// One native window bound to this object: messages become virtual calls, the usual window
// operations are wrapped so that they do nothing (returning 0 or null) once the window is gone,
// and a modal loop and centring are offered.
// Thread contract: UI thread only.

#include "vinto/platform/Message.h"
#include "vinto/platform/WindowProcedure.h"

#include <functional>
#include <string>

namespace Vinto {

class Canvas;
class WindowSystem;

// Asks a dialog to close with a result (wParam).
inline constexpr uint32_t WM_VINTO_CLOSE = 1090;

class MWindow : public WindowProcedure {
public:
    MWindow() = default;
    // Destroys a window that is still alive, so it never calls a dead object.
    ~MWindow() override;
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    // --- Hooks, in interface order
    virtual const wchar_t* GetWindowClassName() const { return L"MWindow"; }
    virtual const wchar_t* GetSuperClassName() const { return nullptr; }
    virtual int ShowWindow(int cmdShow);
    // Default: the window system's default procedure.
    virtual intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    virtual int PreTranslateMessage(const Message&) { return 0; }
    virtual int OnInitDialog() { return 1; }
    virtual void OnDestroyMessage(WindowHandle) {}

    // Returns the existing handle when the window exists; otherwise creates it (screen rectangle for
    // a top-level window), calls OnInitDialog and returns the handle; 0 on failure.
    WindowHandle Create(WindowHandle parent, const wchar_t* title, uint32_t style, uint32_t exStyle,
                        const Rect& rect);
    WindowHandle Create(WindowHandle parent) { return Create(parent, Rect{0, 0, 800, 600}); }
    WindowHandle Create(WindowHandle parent, const Rect& rect) { return Create(parent, L"MWindow", 0x80B, 0, rect); }

    WindowHandle GetSafeHwnd() const { return hwnd_; }
    WindowHandle GetParentHwnd() const { return parentHwnd_; }
    uint32_t GetStyle() const;
    uint32_t GetExStyle() const;
    // 0 when the style stays as it was; else applies it (and SetWindowPos when swpFlags) and 1.
    int ModifyStyle(uint32_t remove, uint32_t add, uint32_t swpFlags);
    int ModifyExStyle(uint32_t remove, uint32_t add, uint32_t swpFlags);
    Rect GetClientRect() const;
    Rect GetWindowRect() const;
    int SetWindowTextW(const wchar_t* text);
    std::wstring GetWindowTextW() const;
    int GetWindowTextLengthW() const;   // -1 without a window
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    int InvalidateRect(const Rect* rect, int erase);
    void SetCapture();
    void ReleaseCapture();
    void SetFocus();
    int SetTimer(uintptr_t id, uint32_t elapseMs);
    int KillTimer(uintptr_t id);
    Point ClientToScreen(Point p) const;
    Rect ClientToScreen(const Rect& r) const;
    Point ScreenToClient(Point p) const;
    Rect ScreenToClient(const Rect& r) const;
    int SetWindowPos(int x, int y, int cx, int cy, uint32_t flags);
    int MoveWindow(int x, int y, int cx, int cy);
    int MoveWindow(const Rect& rect);
    int DestroyWindow();
    intptr_t SendMessageW(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    int PostMessageW(uint32_t msg, uintptr_t wParam, intptr_t lParam);

    // Shows the window, disables its owner and runs messages until the window is gone. Returns the
    // wParam of the WM_CLOSE that closed it (0 when it went away otherwise), 0xFFFFFFFF without a
    // window. A WM_QUIT met inside is posted again for the outer loop.
    uint32_t ShowModal(int cmdShow);
    // Centres on `reference` (else the owner, else the work area), kept inside the work area.
    void CenterWindow(MWindow* reference = nullptr);
    // Raises and activates the window, restoring it when minimised.
    void BringToTop();

    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

protected:
    static WindowSystem* System();
    intptr_t DefaultProc(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Handles WM_PAINT of a window that draws itself whole: `draw` gets a canvas on the window's
    // surface and the client rectangle.
    void PaintClient(const std::function<void(Canvas&, const Rect&)>& draw);

private:
    int Modify(int index, uint32_t remove, uint32_t add, uint32_t swpFlags);

    WindowHandle parentHwnd_ = 0;
    WindowHandle hwnd_ = 0;
};

} // namespace Vinto
