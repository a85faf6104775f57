#include "vinto/platform/PaintedWindow.h"

namespace Vinto {

PaintedWindow::~PaintedWindow()
{
    if (!handle_)
        return;
    destroying_ = true;
    system_.DestroyWindow(handle_);
}

intptr_t PaintedWindow::WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    // The kind's part of the object is already gone: its last messages get the default handling.
    if (destroying_) {
        if (message == WM_NCDESTROY)
            handle_ = 0;
        return system_.DefWindowProc(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_NCCREATE:
        handle_ = window;
        break;
    case WM_NCDESTROY:
        handle_ = 0;
        OnDestroyed();
        break;
    case WM_PAINT: {
        PaintSession paint = system_.BeginPaint(window);
        if (paint.IsValid()) {
            Canvas canvas(paint.GetSurface());
            Paint(canvas, system_.GetClientRect(window));
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default: {
        intptr_t result = 0;
        if (OnMessage(message, wParam, lParam, result))
            return result;
        break;
    }
    }
    return system_.DefWindowProc(window, message, wParam, lParam);
}

} // namespace Vinto
