#include "vinto/platform/TooltipWindow.h"

#include <algorithm>

namespace Vinto {

TooltipWindow::TooltipWindow(WindowSystem& system) : PaintedWindow(system)
{
    font_.pixelSize = 12;
}

bool TooltipWindow::Create(WindowHandle owner)
{
    WindowCreateParams p;
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    p.parent = owner;
    p.rect = {0, 0, 1, 1};
    return system_.CreateWindow(p, this) != 0;
}

void TooltipWindow::SetMaxWidth(int pixels) { maxWidth_ = std::max(1, pixels); }
void TooltipWindow::SetBackColor(uint32_t argb) { backColor_ = argb; }
void TooltipWindow::SetFont(const TextFormat& font) { font_ = font; }

void TooltipWindow::SetMargins(int left, int top)
{
    marginLeft_ = std::max(0, left);
    marginTop_ = std::max(0, top);
}

TextFormat TooltipWindow::Format() const
{
    TextFormat f = font_;
    f.color = kTextColor;
    f.hAlign = TextFormat::kLeft;
    f.vAlign = TextFormat::kTop;
    f.wrap = true;
    f.ellipsis = false;
    return f;
}

void TooltipWindow::Show(const std::wstring& text, const Rect& tool)
{
    if (text.empty()) {
        Hide();
        return;
    }
    if (!Handle())
        return;
    text_ = text;
    const int padX = marginLeft_ + 1;
    const int padY = marginTop_ + 1;
    const Size textSize = Canvas::MeasureText(text_, Format(), std::max(1, maxWidth_ - 2 * padX));
    // One pixel of slack so the text wraps the same way again when drawn.
    const int width = textSize.width + 2 * padX + 1;
    const int height = textSize.height + 2 * padY;

    const Rect area = system_.MonitorWorkArea({tool.left, tool.bottom});
    int x = std::clamp(tool.left, area.left, std::max(area.left, area.right - width));
    int y = tool.bottom + kGap;
    if (y + height > area.bottom)
        y = tool.top - kGap - height;
    y = std::clamp(y, area.top, std::max(area.top, area.bottom - height));
    system_.SetWindowPos(Handle(), x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    system_.InvalidateRect(Handle(), nullptr, false);
}

void TooltipWindow::Hide()
{
    text_.clear();
    if (Handle())
        system_.ShowWindow(Handle(), SW_HIDE);
}

bool TooltipWindow::IsShown() const { return Handle() && system_.IsWindowVisible(Handle()); }

void TooltipWindow::Paint(Canvas& canvas, const Rect& client)
{
    canvas.FillSolidRect(client, kBorderColor);
    canvas.FillSolidRect(client.Inflate(-1, -1), backColor_);
    const Rect textRect{client.left + marginLeft_ + 1, client.top + marginTop_ + 1, client.right - marginLeft_ - 1,
                        client.bottom - marginTop_ - 1};
    canvas.DrawText(text_, textRect, Format());
}

} // namespace Vinto
