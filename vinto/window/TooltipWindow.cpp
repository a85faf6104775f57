#include "vinto/window/TooltipWindow.h"

#include "vinto/paint/Manager.h"
#include "vinto/platform/Canvas.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

namespace Vinto {

namespace {

TextFormat TipFormat()
{
    TextFormat format;
    format.family = Manager::GetFontName();
    format.pixelSize = 12;
    format.color = 0xFF202020;
    format.wrap = true;
    format.vAlign = TextFormat::kMiddle;
    return format;
}

} // namespace

void TooltipWindow::Show(WindowHandle owner, const std::wstring& text, const Rect&)
{
    WindowSystem* system = System();
    if (system == nullptr)
        return;
    text_ = text;
    const Size size = Canvas::MeasureText(text_, TipFormat(), kMaxWidth - 8);
    const Point cursor = system->GetCursorPos();
    const Rect place = Rect::FromSize(cursor.x, cursor.y + 20, size.width + 8, size.height + 6);
    if (GetSafeHwnd() == 0)
        Create(owner, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, place);
    else
        MoveWindow(place);
    ShowWindow(SW_SHOWNOACTIVATE);
    InvalidateRect(nullptr, 0);
}

void TooltipWindow::Hide() { ShowWindow(SW_HIDE); }

intptr_t TooltipWindow::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg != WM_PAINT)
        return DefaultProc(msg, wParam, lParam);
    PaintClient([this](Canvas& canvas, const Rect& client) {
        canvas.FillSolidRect(client, kBackColor);
        canvas.DrawRectangle({0.5, 0.5, client.Width() - 1.0, client.Height() - 1.0}, {0xFF767676, 1});
        canvas.DrawText(text_, client.Inflate(-4, -3), TipFormat());
    });
    return 0;
}

} // namespace Vinto
