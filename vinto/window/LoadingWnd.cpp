#include "vinto/window/LoadingWnd.h"

#include "vinto/paint/Manager.h"
#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

#include <algorithm>

namespace Vinto {

int LoadingWnd::Show(WindowHandle owner)
{
    if (System() == nullptr)
        return 0;
    logo_ = Image::LoadFile(Manager::SkinPath(L"logo\\logo_loading.png"));
    animation_ = Image::LoadFile(Manager::SkinPath(L"loading\\loading.gif"));
    const int logoW = logo_ ? logo_->Width() : 0;
    const int logoH = logo_ ? logo_->Height() : 0;
    const int w = std::max(logoW, kAnimationWidth);
    const int h = logoH + kAnimationHeight;
    if (Create(owner, L"Loading Window", 0x96000000 & ~WS_VISIBLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
               Rect::FromSize(0, 0, w, h)) == 0)
        return 0;
    CenterWindow();
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(kTimer, kTickMs);
    return 1;
}

void LoadingWnd::Paint(Canvas& canvas, const Rect& client)
{
    canvas.Clear(client);
    int top = 0;
    if (logo_) {
        const Surface& logo = logo_->Frame(0);
        canvas.DrawSurface(logo, logo.Bounds(), Rect::FromSize((client.Width() - logo.Width()) / 2, 0, logo.Width(), logo.Height()));
        top = logo.Height();
    }
    if (animation_) {
        const Surface& frame = animation_->Frame(frame_);
        canvas.DrawSurface(frame, frame.Bounds(),
                           Rect::FromSize((client.Width() - kAnimationWidth) / 2, top, kAnimationWidth, kAnimationHeight));
    }
}

intptr_t LoadingWnd::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == WM_PAINT) {
        PaintClient([this](Canvas& canvas, const Rect& client) { Paint(canvas, client); });
        return 0;
    }
    if (msg == WM_TIMER && wParam == kTimer) {
        if (++ticks_ % kTicksPerFrame == 0 && animation_ && animation_->FrameCount() > 1) {
            frame_ = (frame_ + 1) % animation_->FrameCount();
            InvalidateRect(nullptr, 0);
        }
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

} // namespace Vinto
