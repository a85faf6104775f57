#pragma once
// One WM_PAINT's drawing: the dirty part of the client area and the window's surface to draw on.
// Ending the session shows the painted part. WindowSystem::BeginPaint makes them.
// Thread contract: UI thread, within the WM_PAINT that began it.

#include "vinto/platform/Message.h"
#include "vinto/platform/Surface.h"

namespace Vinto {

class WindowSystem;

class PaintSession {
public:
    PaintSession() = default;
    PaintSession(WindowSystem* system, WindowHandle window, Rect update, bool erase, Surface* surface);
    ~PaintSession();
    PaintSession(PaintSession&& other) noexcept;
    PaintSession& operator=(PaintSession&&) = delete;
    PaintSession(const PaintSession&) = delete;

    bool IsValid() const { return surface_ != nullptr; }
    const Rect& UpdateRect() const { return update_; }
    bool Erase() const { return erase_; }
    Surface& GetSurface() { return *surface_; }

private:
    WindowSystem* system_ = nullptr;
    WindowHandle window_ = 0;
    Rect update_;
    bool erase_ = false;
    Surface* surface_ = nullptr;
};

} // namespace Vinto
