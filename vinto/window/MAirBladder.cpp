#include "vinto/window/MAirBladder.h"

#include "vinto/paint/MRender.h"
#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/window/PaintManager.h"

#include <algorithm>

namespace Vinto {

namespace {

TextFormat BalloonFormat(bool centred)
{
    TextFormat format;
    format.family = L"Open Sans";
    format.pixelSize = MAirBladder::kFontSize;
    format.color = 0xFFFFFFFF;
    format.hAlign = centred ? TextFormat::kCenter : TextFormat::kLeft;
    format.vAlign = TextFormat::kMiddle;
    return format;
}

} // namespace

void MAirBladder::CreateBalloon(WindowHandle owner, PaintManager& manager)
{
    back_ = manager.AddImgResInfo(L"img_tip_bk.png", 1);
    arrowLeft_ = manager.AddImgResInfo(L"img_tip_arrow_left.png", 1);
    arrowRight_ = manager.AddImgResInfo(L"img_tip_arrow_right.png", 1);
    arrowTop_ = manager.AddImgResInfo(L"img_tip_arrow_top.png", 1);
    Create(owner, L"AirBladder Window", 0x96000080 & ~WS_VISIBLE,
           WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, Rect{0, 0, 1, 1});
}

void MAirBladder::SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type, int mode)
{
    const std::wstring t = text ? text : L"";
    if (t == text_ && screenPoint == anchor_ && type == type_ && mode == mode_)
        return;
    text_ = t;
    anchor_ = screenPoint;
    type_ = type;
    mode_ = mode;
    const Rect place = AutoFit();
    placed_ = !place.IsEmpty();
    if (!placed_) {
        ShowWindow(SW_HIDE);
        return;
    }
    MoveWindow(place);
    ShowWindow(SW_SHOWNOACTIVATE);
    InvalidateRect(nullptr, 1);
    if (type_ != 4)
        SetTimer(kHideTimer, kHideAfterMs);
    else
        KillTimer(kHideTimer);
}

Rect MAirBladder::AutoFit()
{
    lines_ = 1 + static_cast<int>(std::count(text_.begin(), text_.end(), L'\n'));
    const Size size = Canvas::MeasureText(text_, BalloonFormat(false));
    const int lineHeight = Canvas::MeasureText(L"Ag", BalloonFormat(false)).height;
    const int w = size.width;
    const int h = lines_ * lineHeight;
    const int x = anchor_.x;
    const int y = anchor_.y;
    switch (type_) {
    case 1:
        return {x, y, x + w + 40, y + h + 20};
    case 2:
        return {x - w - 40, y - 27, x, y + h - 7};
    case 3:
        return {x - 25, y, x + w + 15, y + h + 30};
    case 4:
        return {x - (w + 30) / 2, y - h - 20, x - (w + 30) / 2 + w + 30, y};
    case 5:
        // Tall enough for its text: a label of a few lines would otherwise end above its start.
        return {x, y - 10, x + w + 40, y + h + 10};
    default:
        return {};
    }
}

void MAirBladder::Paint(Canvas& canvas, const Rect& client)
{
    canvas.Clear(client);
    if (back_ != nullptr) {
        const Surface& image = back_->image->Frame(0);
        MRender::DrawImageFrame(canvas, image, {0, 0, client.right - 1, client.bottom - 1}, 0, 0, image.Width(),
                                image.Height(), 6);
    } else {
        canvas.FillRoundRect({0, 0, client.Width() - 1.0, client.Height() - 1.0}, 6, 6, 0xF0303030);
    }
    const bool centred = lines_ == 1 || type_ == 4;
    canvas.DrawText(text_, {8, 0, client.right - 8, client.bottom}, BalloonFormat(centred));
}

intptr_t MAirBladder::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == WM_PAINT) {
        PaintClient([this](Canvas& canvas, const Rect& client) { Paint(canvas, client); });
        return 0;
    }
    if (msg == WM_TIMER && wParam == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(SW_HIDE);
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

} // namespace Vinto
