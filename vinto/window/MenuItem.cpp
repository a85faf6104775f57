#include "vinto/window/MenuItem.h"

#include "vinto/core/ControlFactory.h"
#include "vinto/paint/ImgResInfo.h"
#include "vinto/paint/Manager.h"
#include "vinto/window/PaintManager.h"

namespace Vinto {

namespace {

const bool registered = ControlFactory::Register(
    L"MenuItem", [](MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title, int visible, int) {
        return new MenuItem(parent, id, rect, title, visible);
    });

} // namespace

MenuItem::MenuItem(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title, int visible)
    : MControlFont(parent, id, rect, title, visible, 1, 1), hoverColor_(Manager::GetSelectColor())
{
    (void)registered;
    SetAlignment(1, 4);
    SetImageCount(3);
}

void MenuItem::SetState(int state)
{
    if (state == state_)
        return;
    state_ = state;
    UpdateControl(0, 0);
}

void MenuItem::SetCheck(int check)
{
    if (!checkable_ || !IsEnabled())
        return;
    checked_ = check ? 1 : 0;
    SetState(checked_ ? Pressed : Normal);
}

int MenuItem::SetHoverImage(const wchar_t* fileName)
{
    if (GetManager() == nullptr)
        return 0;
    hoverImage_ = GetManager()->AddImgResInfo(fileName, 1);
    return hoverImage_ != nullptr ? 1 : 0;
}

int MenuItem::OnControlMouseMove(uint32_t, Point point)
{
    const bool inside = GetRect().Contains(point);
    if (!separator_ && IsEnabled() && !checked_)
        SetState(inside ? (IsPressed() ? Pressed : Hover) : Normal);
    return inside ? 1 : 0;
}

int MenuItem::OnControlLButtonDown(uint32_t, Point)
{
    if (separator_ || !IsEnabled())
        return 0;
    SetState(Pressed);
    return 1;
}

int MenuItem::OnControlLButtonUp(uint32_t, Point point)
{
    if (separator_ || !IsEnabled())
        return 0;
    const bool inside = GetRect().Contains(point);
    const bool wasPressed = state_ == Pressed;
    SetState(inside ? Hover : Normal);
    if (inside && wasPressed)
        SendMessageW(2, 0, 0);
    return 1;
}

void MenuItem::RenderStrip(Surface& strip, int width, int height)
{
    Canvas canvas(strip);
    canvas.Clear(strip.Bounds());
    const int states = separator_ ? 1 : 4;
    for (int s = 0; s < states; ++s) {
        const Rect cell = Rect::FromSize(s * width, 0, width, height);
        if (separator_) {
            canvas.FillSolidRect(cell, 0xFF555555);
            continue;
        }
        if (s == Hover || s == Pressed) {
            const Rect fill = cell.Inflate(-frameWidth_, 0);
            if (hoverImage_ != nullptr)
                canvas.DrawSurface(hoverImage_->image->Frame(0), hoverImage_->image->Frame(0).Bounds(), fill);
            else
                canvas.FillRect(fill, hoverColor_);
        }
        int textLeft = cell.left + indent_;
        if (GetImage() != nullptr) {
            const Size icon = GetImageSize();
            const Rect iconRect =
                Rect::FromSize(textLeft, (height - icon.height) / 2, icon.width, icon.height);
            DrawImageFrame(canvas, s, iconRect);
            textLeft += icon.width + indent_;
        }
        TextFormat format = MakeTextFormat();
        format.hAlign = TextFormat::kLeft;
        format.vAlign = TextFormat::kMiddle;
        format.color = s == Disabled ? 0xFF808080 : 0xFFFFFFFF;
        canvas.DrawText(GetControlTitle(), {textLeft, cell.top, cell.right, cell.bottom}, format);
    }
}

void MenuItem::DrawControl(Canvas& canvas, const Rect&)
{
    const Rect r = GetRect();
    if (r.IsEmpty())
        return;
    const int states = separator_ ? 1 : 4;
    if (!GetUpdate() || CacheSurface().Width() != r.Width() * states)
        RenderStrip(UpdateMemDC(r.Width() * states, r.Height()), r.Width(), r.Height());
    const int shown = separator_ ? 0 : IsEnabled() ? state_ : Disabled;
    canvas.DrawSurface(CacheSurface(), Rect::FromSize(shown * r.Width(), 0, r.Width(), r.Height()), r);
}

} // namespace Vinto
