#include "vinto/window/MShadow.h"

#include "vinto/paint/Manager.h"
#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

#include <algorithm>

namespace Vinto {

int MShadow::Create(WindowHandle owner)
{
    owner_ = owner;
    if (MWindow::Create(owner, L"ShadowWnd", WS_POPUP,
                        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, Rect{0, 0, 1, 1}) == 0)
        return 0;
    Follow();
    return 1;
}

void MShadow::SetSize(int size)
{
    size_ = std::clamp(size, -35, 35);
    Follow();
}

void MShadow::SetSharpness(int sharpness)
{
    sharpness_ = std::clamp(sharpness, 0, 35);
    InvalidateRect(nullptr, 1);
}

void MShadow::SetDarkness(int darkness)
{
    darkness_ = std::clamp(darkness, 0, 255);
    InvalidateRect(nullptr, 1);
}

void MShadow::SetPosition(int x, int y)
{
    offset_ = {std::clamp(x, -35, 35), std::clamp(y, -35, 35)};
    Follow();
}

void MShadow::SetShadowShow(int show)
{
    shown_ = show != 0;
    Follow();
}

void MShadow::Follow()
{
    WindowSystem* system = System();
    if (GetSafeHwnd() == 0 || system == nullptr || !system->IsWindow(owner_))
        return;
    if (!shown_ || !system->IsWindowVisible(owner_) || system->IsIconic(owner_)) {
        ShowWindow(SW_HIDE);
        return;
    }
    const Rect place = system->GetWindowRect(owner_).Inflate(size_, size_).Offset(offset_.x, offset_.y);
    if (place.IsEmpty()) {
        ShowWindow(SW_HIDE);
        return;
    }
    MoveWindow(place);
    ShowWindow(SW_SHOWNOACTIVATE);
    InvalidateRect(nullptr, 1);
}

void MShadow::Paint(Canvas& canvas, const Rect& client)
{
    canvas.Clear(client);
    // The band of `sharpness` pixels along the edge fades out towards the outside.
    const uint32_t rgb = ColorRefToArgb(color_) & 0x00FFFFFF;
    const int band = std::max(1, sharpness_);
    for (int i = 0; i < band; ++i) {
        const auto alpha = static_cast<uint32_t>(darkness_ * (i + 1) / band / band);
        const Rect ring = client.Inflate(-i, -i);
        if (ring.IsEmpty())
            break;
        canvas.FillRect(ring, (alpha << 24) | rgb);
    }
}

intptr_t MShadow::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == WM_PAINT) {
        PaintClient([this](Canvas& canvas, const Rect& client) { Paint(canvas, client); });
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

} // namespace Vinto
