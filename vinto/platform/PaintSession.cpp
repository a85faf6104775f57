#include "vinto/platform/PaintSession.h"

#include "vinto/platform/WindowSystem.h"

namespace Vinto {

PaintSession::PaintSession(WindowSystem* system, WindowHandle window, Rect update, bool erase, Surface* surface)
    : system_(system), window_(window), update_(update), erase_(erase), surface_(surface)
{
}

PaintSession::PaintSession(PaintSession&& other) noexcept
    : system_(other.system_), window_(other.window_), update_(other.update_), erase_(other.erase_),
      surface_(other.surface_)
{
    other.system_ = nullptr;
    other.surface_ = nullptr;
}

PaintSession::~PaintSession()
{
    if (system_)
        system_->EndPaint(window_, update_);
}

} // namespace Vinto
