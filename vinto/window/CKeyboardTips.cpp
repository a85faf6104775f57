#include "vinto/window/CKeyboardTips.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"

#include <algorithm>

namespace Vinto {

namespace {

constexpr int kPadding = 10;

// The heading in the semibold face, the lines in the regular one.
TextFormat LineFormat(int line)
{
    TextFormat format;
    format.family = line == 0 ? L"Open Sans Semibold" : L"Open Sans";
    format.pixelSize = line == 0 ? 14 : 12;
    format.color = line == 0 ? 0xFFFFFFFF : 0xFFBBBBBB;
    return format;
}

} // namespace

void CKeyboardTips::SetAirBladderMsg(const wchar_t* heading, const wchar_t* line1, const wchar_t* line2,
                                     Point screenPoint)
{
    texts_[0] = heading ? heading : L"";
    texts_[1] = line1 ? line1 : L"";
    texts_[2] = line2 ? line2 : L"";
    if (texts_[0].empty()) {
        ShowWindow(SW_HIDE);
        return;
    }
    int width = 0;
    int height = 0;
    for (int i = 0; i < 3; ++i) {
        const Size s = Canvas::MeasureText(texts_[i], LineFormat(i));
        width = std::max(width, s.width);
        height += s.height;
    }
    const Rect place = Rect::FromSize(screenPoint.x, screenPoint.y, width + 2 * kPadding, height + 2 * kPadding);
    if (GetSafeHwnd() == 0)
        Create(0, L"KeyboardTips Window", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
               place);
    else
        MoveWindow(place);
    ShowWindow(SW_SHOWNOACTIVATE);
    InvalidateRect(nullptr, 1);
}

void CKeyboardTips::Paint(Canvas& canvas, const Rect& client)
{
    canvas.Clear(client);
    canvas.FillRoundRect({0, 0, static_cast<double>(client.Width()), static_cast<double>(client.Height())}, 6, 6,
                         0xF0262626);
    int y = kPadding;
    for (int i = 0; i < 3; ++i) {
        const int h = Canvas::MeasureText(texts_[i], LineFormat(i)).height;
        canvas.DrawText(texts_[i], {kPadding, y, client.right - kPadding, y + h}, LineFormat(i));
        y += h;
    }
}

intptr_t CKeyboardTips::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == WM_PAINT) {
        PaintClient([this](Canvas& canvas, const Rect& client) { Paint(canvas, client); });
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

} // namespace Vinto
