#include "vinto/window/MWindow.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

#include <algorithm>

namespace Vinto {

MWindow::~MWindow()
{
    // The procedure must not outlive this object; the window goes with it.
    if (hwnd_ != 0 && System() != nullptr) {
        const WindowHandle window = hwnd_;
        hwnd_ = 0;
        System()->DestroyWindow(window);
    }
}

WindowSystem* MWindow::System() { return WindowSystem::Current(); }

intptr_t MWindow::DefaultProc(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    return System() != nullptr && hwnd_ != 0 ? System()->DefWindowProc(hwnd_, msg, wParam, lParam) : 0;
}

void MWindow::PaintClient(const std::function<void(Canvas&, const Rect&)>& draw)
{
    if (hwnd_ == 0 || System() == nullptr)
        return;
    PaintSession paint = System()->BeginPaint(hwnd_);
    if (!paint.IsValid())
        return;
    Canvas canvas(paint.GetSurface());
    draw(canvas, GetClientRect());
}

int MWindow::ShowWindow(int cmdShow)
{
    return System() != nullptr && hwnd_ != 0 ? System()->ShowWindow(hwnd_, cmdShow) : 0;
}

intptr_t MWindow::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    return DefaultProc(msg, wParam, lParam);
}

intptr_t MWindow::WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_NCCREATE)
        hwnd_ = window;
    if (message == WM_NCDESTROY) {
        const intptr_t result = System()->DefWindowProc(window, message, wParam, lParam);
        hwnd_ = 0;
        // May delete this object: nothing of it is touched afterwards.
        OnDestroyMessage(window);
        return result;
    }
    if (hwnd_ != window)
        return System()->DefWindowProc(window, message, wParam, lParam);
    return OnWindowMessage(message, wParam, lParam);
}

WindowHandle MWindow::Create(WindowHandle parent, const wchar_t* title, uint32_t style, uint32_t exStyle,
                             const Rect& rect)
{
    if (hwnd_ != 0)
        return hwnd_;
    if (System() == nullptr)
        return 0;
    parentHwnd_ = parent;
    WindowCreateParams params;
    params.title = title ? title : L"";
    params.classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    params.style = style;
    params.exStyle = exStyle;
    params.rect = rect;
    params.parent = parent;
    if (System()->CreateWindow(params, this) == 0)
        return 0;
    OnInitDialog();
    return hwnd_;
}

uint32_t MWindow::GetStyle() const { return hwnd_ && System() ? System()->GetWindowLong(hwnd_, GWL_STYLE) : 0; }
uint32_t MWindow::GetExStyle() const { return hwnd_ && System() ? System()->GetWindowLong(hwnd_, GWL_EXSTYLE) : 0; }

int MWindow::Modify(int index, uint32_t remove, uint32_t add, uint32_t swpFlags)
{
    if (hwnd_ == 0 || System() == nullptr)
        return 0;
    const uint32_t old = System()->GetWindowLong(hwnd_, index);
    const uint32_t updated = (old & ~remove) | add;
    if (updated == old)
        return 0;
    System()->SetWindowLong(hwnd_, index, updated);
    if (swpFlags != 0)
        System()->SetWindowPos(hwnd_, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

int MWindow::ModifyStyle(uint32_t remove, uint32_t add, uint32_t swpFlags)
{
    return Modify(GWL_STYLE, remove, add, swpFlags);
}

int MWindow::ModifyExStyle(uint32_t remove, uint32_t add, uint32_t swpFlags)
{
    return Modify(GWL_EXSTYLE, remove, add, swpFlags);
}

Rect MWindow::GetClientRect() const { return hwnd_ && System() ? System()->GetClientRect(hwnd_) : Rect{}; }
Rect MWindow::GetWindowRect() const { return hwnd_ && System() ? System()->GetWindowRect(hwnd_) : Rect{}; }

int MWindow::SetWindowTextW(const wchar_t* text)
{
    return hwnd_ && System() ? System()->SetWindowText(hwnd_, text ? text : L"") : 0;
}

std::wstring MWindow::GetWindowTextW() const { return hwnd_ && System() ? System()->GetWindowText(hwnd_) : L""; }

int MWindow::GetWindowTextLengthW() const
{
    return hwnd_ && System() ? static_cast<int>(System()->GetWindowText(hwnd_).size()) : -1;
}

int MWindow::EnableWindow(int enable) { return hwnd_ && System() ? System()->EnableWindow(hwnd_, enable != 0) : 0; }
int MWindow::IsWindowEnabled() const { return hwnd_ && System() ? System()->IsWindowEnabled(hwnd_) : 0; }
int MWindow::IsWindowVisible() const { return hwnd_ && System() ? System()->IsWindowVisible(hwnd_) : 0; }
int MWindow::IsIconic() const { return hwnd_ && System() ? System()->IsIconic(hwnd_) : 0; }

int MWindow::InvalidateRect(const Rect* rect, int erase)
{
    return hwnd_ && System() ? System()->InvalidateRect(hwnd_, rect, erase != 0) : 0;
}

void MWindow::SetCapture()
{
    if (hwnd_ && System())
        System()->SetCapture(hwnd_);
}

void MWindow::ReleaseCapture()
{
    if (hwnd_ && System() && System()->GetCapture() == hwnd_)
        System()->ReleaseCapture();
}

void MWindow::SetFocus()
{
    if (hwnd_ && System())
        System()->SetFocus(hwnd_);
}

int MWindow::SetTimer(uintptr_t id, uint32_t elapseMs)
{
    return hwnd_ && System() ? System()->SetTimer(hwnd_, id, elapseMs) : 0;
}

int MWindow::KillTimer(uintptr_t id) { return hwnd_ && System() ? System()->KillTimer(hwnd_, id) : 0; }

Point MWindow::ClientToScreen(Point p) const { return hwnd_ && System() ? System()->ClientToScreen(hwnd_, p) : p; }
Point MWindow::ScreenToClient(Point p) const { return hwnd_ && System() ? System()->ScreenToClient(hwnd_, p) : p; }

Rect MWindow::ClientToScreen(const Rect& r) const
{
    const Point a = ClientToScreen(Point{r.left, r.top});
    return r.Offset(a.x - r.left, a.y - r.top);
}

Rect MWindow::ScreenToClient(const Rect& r) const
{
    const Point a = ScreenToClient(Point{r.left, r.top});
    return r.Offset(a.x - r.left, a.y - r.top);
}

int MWindow::SetWindowPos(int x, int y, int cx, int cy, uint32_t flags)
{
    return hwnd_ && System() ? System()->SetWindowPos(hwnd_, x, y, cx, cy, flags) : 0;
}

int MWindow::MoveWindow(int x, int y, int cx, int cy) { return MoveWindow(Rect::FromSize(x, y, cx, cy)); }
int MWindow::MoveWindow(const Rect& rect) { return hwnd_ && System() ? System()->MoveWindow(hwnd_, rect) : 0; }
int MWindow::DestroyWindow() { return hwnd_ && System() ? System()->DestroyWindow(hwnd_) : 0; }

intptr_t MWindow::SendMessageW(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    return hwnd_ && System() ? System()->SendMessage(hwnd_, msg, wParam, lParam) : 0;
}

int MWindow::PostMessageW(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    return hwnd_ && System() ? System()->PostMessage(hwnd_, msg, wParam, lParam) : 0;
}

uint32_t MWindow::ShowModal(int cmdShow)
{
    WindowSystem* system = System();
    if (hwnd_ == 0 || system == nullptr)
        return 0xFFFFFFFF;
    const WindowHandle window = hwnd_;
    const WindowHandle owner = system->GetOwner(window);
    system->ShowWindow(window, cmdShow);
    if (owner != 0)
        system->EnableWindow(owner, false);
    auto releaseOwner = [&] {
        if (owner != 0 && system->IsWindow(owner)) {
            system->EnableWindow(owner, true);
            system->SetFocus(owner);
        }
    };
    uint32_t result = 0;
    bool quit = false;
    int quitCode = 0;
    Message msg;
    while (system->IsWindow(window)) {
        if (!system->GetMessage(msg)) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (msg.message == WM_CLOSE && msg.window == window) {
            result = static_cast<uint32_t>(msg.wParam);
            releaseOwner();
        }
        // The window (and this object) may be gone after dispatching: only locals from here on.
        if (!system->IsWindow(window) || !PreTranslateMessage(msg))
            system->DispatchMessage(msg);
    }
    releaseOwner();
    if (quit)
        system->PostQuitMessage(quitCode);
    return result;
}

void MWindow::CenterWindow(MWindow* reference)
{
    WindowSystem* system = System();
    if (hwnd_ == 0 || system == nullptr)
        return;
    const Rect own = GetWindowRect();
    const int w = own.Width();
    const int h = own.Height();
    int x = 0;
    int y = 0;
    if (GetStyle() & WS_CHILD) {
        const WindowHandle parent = system->GetParent(hwnd_);
        Rect area = system->GetClientRect(parent);
        if (reference != nullptr && reference->GetSafeHwnd() != 0) {
            const Rect r = reference->GetClientRect();
            const Point a = system->ScreenToClient(parent, reference->ClientToScreen(Point{0, 0}));
            area = r.Offset(a.x, a.y);
        }
        x = area.left + (area.Width() - w) / 2;
        y = area.top + (area.Height() - h) / 2;
        MoveWindow(x, y, w, h);
        return;
    }
    const WindowHandle ref = reference != nullptr ? reference->GetSafeHwnd() : system->GetOwner(hwnd_);
    const Rect work = system->MonitorWorkArea(Point{own.left + w / 2, own.top + h / 2});
    Rect around = work;
    if (ref != 0 && system->IsWindowVisible(ref) && !system->IsIconic(ref))
        around = system->GetWindowRect(ref);
    x = around.left + around.Width() / 2 - w / 2;
    y = around.top + around.Height() / 2 - h / 2;
    x = std::max(std::min(x, work.right - w), work.left);
    y = std::max(std::min(y, work.bottom - h), work.top);
    system->SetWindowPos(hwnd_, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop()
{
    if (hwnd_ == 0 || System() == nullptr)
        return;
    System()->SetForegroundWindow(hwnd_);
    System()->ShowWindow(hwnd_, IsIconic() ? SW_RESTORE : SW_SHOW);
}

} // namespace Vinto
