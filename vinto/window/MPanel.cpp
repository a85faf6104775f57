#include "vinto/window/MPanel.h"

#include "vinto/core/ControlFactory.h"
#include "vinto/window/PaintManager.h"

#include <algorithm>

namespace Vinto {

MPanel::MPanel(MObject* parent, uint32_t id, const Rect& rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1),
      vertical_(new PanelScrollBar(this, 1, true)), horizontal_(new PanelScrollBar(this, 2, false))
{
    SetWantsDblClk(1);
    AddChild(1, vertical_);
    AddChild(1, horizontal_);
    MPanel::SetControlRect(rect);
}

MControl* MPanel::CreateArea(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title, int first,
                             int second)
{
    return CreateControl(0, this, className, id, rect, title, first, second);
}

MControl* MPanel::CreateControl(int list, MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                                const wchar_t* title, int first, int second)
{
    return ControlFactory::Create(ControlFactory::Owner::Panel, list, this, parent, GetManager(), className, id, rect,
                                  title, first, second);
}

MControl* MPanel::CreateControl(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                                int first, int second)
{
    return CreateControl(1, this, className, id, rect, title, first, second);
}

int32_t MPanel::OnBaseMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam)
{
    return OnMessage(id, code, wParam, lParam);
}

int32_t MPanel::OnMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam)
{
    MObject* owner = GetParantObject();
    return owner != nullptr ? owner->OnBaseMessage(id, code, wParam, lParam) : 0;
}

int32_t MPanel::OnControlUpdate(const Rect& rect, int resetCache, MControl* child)
{
    if (child == nullptr)
        return 0;
    if (resetCache == 1)
        child->SetUpdate(0, 0);
    if (initialised_) {
        std::lock_guard guard(ControlsLock());
        bool passed = false;
        for (MControl* c : GetControls()) {
            if (c == child) {
                passed = true;
                continue;
            }
            if (passed && c->IsVisible() && c->GetRect().Intersects(rect))
                c->SetUpdate(0, 0);
        }
    }
    InvalidateRect(nullptr, 0);
    return 0;
}

void MPanel::InitControl(PaintManager* manager)
{
    initialised_ = true;
    vertical_->SetManager(manager);
    horizontal_->SetManager(manager);
}

int MPanel::OnMousePointChange(Point& point)
{
    const Rect r = GetRect();
    if (!scrollEnabled_ || (virtualHeight_ <= r.Height() && virtualWidth_ <= r.Width()))
        return 0;
    const int vRange = vertical_->GetRange();
    const int hRange = horizontal_->GetRange();
    point.y += vRange > 0 ? (virtualHeight_ - r.Height()) * vertical_->GetPos() / vRange : 0;
    point.x += hRange > 0 ? (virtualWidth_ - r.Width()) * horizontal_->GetPos() / hRange : 0;
    return 1;
}

int MPanel::DrawSubControls(Canvas& canvas, const Rect& paintRect)
{
    Point offset;
    OnMousePointChange(offset);
    canvas.PushClip(GetRect());
    {
        std::lock_guard guard(ControlsLock());
        for (MControl* c : GetControls()) {
            if (c == vertical_ || c == horizontal_ || !c->IsVisible())
                continue;
            cairo_save(canvas.Native());
            cairo_translate(canvas.Native(), -offset.x, -offset.y);
            c->Draw(canvas, paintRect.Offset(offset.x, offset.y));
            cairo_restore(canvas.Native());
        }
        for (PanelScrollBar* bar : {vertical_, horizontal_})
            if (bar->IsVisible())
                bar->Draw(canvas, paintRect);
    }
    canvas.PopClip();
    return 1;
}

int32_t MPanel::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    std::lock_guard guard(ControlsLock());
    for (MControl* c : GetControls())
        if (c->OnWindowMessage(msg, wParam, lParam))
            return 1;
    return 0;
}

void MPanel::LayBar(PanelScrollBar* bar, const Rect& barRect)
{
    const Rect both = bar->GetRect().Union(barRect);
    bar->SetControlRect(barRect);
    if (bar->IsVisible())
        OnControlUpdate(both, 1, bar);
}

void MPanel::ShowBar(PanelScrollBar* bar, bool show, int range)
{
    if (bar->IsVisible() != (show ? 1 : 0))
        bar->SetVisible(show ? 1 : 0);
    bar->SetRange(range);
}

void MPanel::SetControlRect(const Rect& rect)
{
    MControl::SetControlRect(rect);
    virtualHeight_ = 0;
    virtualWidth_ = 0;
    {
        std::lock_guard guard(ControlsLock());
        for (MControl* c : GetControls()) {
            if (c == vertical_)
                LayBar(vertical_, {rect.right - kScrollThickness, rect.top, rect.right, rect.bottom});
            else if (c == horizontal_)
                LayBar(horizontal_, {rect.left, rect.bottom - kScrollThickness, rect.right, rect.bottom});
            else {
                virtualHeight_ = c->GetRect().bottom - rect.top;
                virtualWidth_ = c->GetRect().right - rect.left;
            }
        }
    }
    ShowBar(vertical_, rect.Height() < virtualHeight_, virtualHeight_);
    ShowBar(horizontal_, rect.Width() < virtualWidth_, virtualWidth_);
}

void MPanel::SetControlVisible(int visible)
{
    MControl::SetControlVisible(visible);
    SetControlWndVisible(visible);
}

void MPanel::SetControlEnabled(int enabled)
{
    MControl::SetControlEnabled(enabled);
    std::lock_guard guard(ControlsLock());
    for (MControl* c : GetControls()) {
        if (c->IsEnabled() != enabled) {
            c->SetControlEnabled(enabled);
            if (c->IsVisible())
                OnControlUpdate(c->GetRect(), 1, c);
        }
    }
}

int MPanel::OnControlScroll(int, uint32_t down, Point)
{
    const Rect r = GetRect();
    if (!scrollEnabled_ || virtualHeight_ < r.Height())
        return 0;
    const int old = vertical_->GetPos();
    vertical_->SetPos(down == 1 ? old + vertical_->GetStep() : old - vertical_->GetStep());
    if (vertical_->GetPos() == old)
        return 1;
    if (IsVisible()) {
        Report(r, 1);
        if (vertical_->IsVisible())
            OnControlUpdate(vertical_->GetRect(), 1, vertical_);
    }
    return 1;
}

} // namespace Vinto
