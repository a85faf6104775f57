#include "vinto/platform/TrayIconWindow.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/WindowSystem.h"

namespace Vinto {

TrayIconWindow::TrayIconWindow(WindowSystem& system, WindowHandle owner, uint32_t id, uint32_t callbackMessage)
    : system_(system), owner_(owner), id_(id), callbackMessage_(callbackMessage)
{
}

TrayIconWindow::~TrayIconWindow()
{
    if (handle_)
        system_.DestroyWindow(handle_);
}

bool TrayIconWindow::Dock()
{
    WindowCreateParams p;
    p.classStyle = CS_DBLCLKS;
    p.style = WS_POPUP;
    p.exStyle = WS_EX_NOACTIVATE;
    p.rect = {0, 0, kSize, kSize};
    if (!system_.CreateWindow(p, this))
        return false;
    if (!system_.Backend().DockInTray(handle_)) {
        system_.DestroyWindow(handle_);
        return false;
    }
    // The tray maps it; the layer only needs to know it is shown so that it paints.
    system_.ShowWindow(handle_, SW_SHOWNA);
    return true;
}

void TrayIconWindow::SetIcon(const Surface& icon)
{
    icon_ = icon.Clone();
    if (handle_)
        system_.InvalidateRect(handle_, nullptr, true);
}

void TrayIconWindow::Paint()
{
    PaintSession paint = system_.BeginPaint(handle_);
    if (!paint.IsValid())
        return;
    Canvas canvas(paint.GetSurface());
    const Rect client = system_.GetClientRect(handle_);
    canvas.Clear(client);
    if (icon_.IsValid())
        canvas.DrawSurface(icon_, icon_.Bounds(), client);
}

intptr_t TrayIconWindow::WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_NCCREATE:
        handle_ = window;
        break;
    case WM_NCDESTROY:
        handle_ = 0;
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        system_.PostMessage(owner_, callbackMessage_, id_, static_cast<intptr_t>(message));
        return 0;
    default:
        break;
    }
    return system_.DefWindowProc(window, message, wParam, lParam);
}

} // namespace Vinto
