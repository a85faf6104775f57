#include "vinto/platform/TrayIconWindow.h"

namespace Vinto {

TrayIconWindow::TrayIconWindow(WindowSystem& system, WindowHandle owner, uint32_t id, uint32_t callbackMessage)
    : PaintedWindow(system), owner_(owner), id_(id), callbackMessage_(callbackMessage)
{
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
    if (!system_.Backend().DockInTray(Handle())) {
        system_.DestroyWindow(Handle());
        return false;
    }
    // The tray maps it; the layer only needs to know it is shown so that it paints.
    system_.ShowWindow(Handle(), SW_SHOWNA);
    return true;
}

void TrayIconWindow::SetIcon(const Surface& icon)
{
    icon_ = icon.Clone();
    if (Handle())
        system_.InvalidateRect(Handle(), nullptr, true);
}

void TrayIconWindow::Paint(Canvas& canvas, const Rect& client)
{
    canvas.Clear(client);
    if (icon_.IsValid())
        canvas.DrawSurface(icon_, icon_.Bounds(), client);
}

bool TrayIconWindow::OnMessage(uint32_t message, uintptr_t, intptr_t, intptr_t& result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        system_.PostMessage(owner_, callbackMessage_, id_, static_cast<intptr_t>(message));
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace Vinto
