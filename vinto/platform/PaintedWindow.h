#pragma once
// The base of the layer's own window kinds (edit box, tooltip, docked tray icon): one object bound
// to one window it draws itself. It keeps the window's handle from WM_NCCREATE to WM_NCDESTROY,
// paints the whole client area on WM_PAINT, leaves no background to erase, and passes what the
// kind does not handle to the default procedure. The window goes with the object.
// Thread contract: UI thread only.

#include "vinto/platform/Canvas.h"
#include "vinto/platform/WindowProcedure.h"
#include "vinto/platform/WindowSystem.h"

namespace Vinto {

class PaintedWindow : public WindowProcedure {
public:
    ~PaintedWindow() override;
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

    WindowHandle Handle() const { return handle_; }

    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

protected:
    explicit PaintedWindow(WindowSystem& system) : system_(system) {}

    // Draws the client area (0, 0, width, height).
    virtual void Paint(Canvas& canvas, const Rect& client) = 0;
    // A message of the kind's own; true with `result` set when handled.
    virtual bool OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) = 0;
    // The window is gone (WM_NCDESTROY); Handle() is 0 from now on.
    virtual void OnDestroyed() {}

    WindowSystem& system_;

private:
    WindowHandle handle_ = 0;
    bool destroying_ = false;
};

} // namespace Vinto
