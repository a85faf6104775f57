#include "vinto/core/MControl.h"

#include "vinto/window/PaintManager.h"
#include "vinto/platform/WindowSystem.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace Vinto {

MControl::MControl(MObject* parent, uint32_t id, const Rect& rect, int visible, int enabled, int response)
    : parent_(parent), id_(id), rect_(rect), visible_(visible ? 1 : 0), enabled_(enabled ? 1 : 0),
      response_(response ? 1 : 0)
{
}

MControl::~MControl()
{
    // Children go first so that they unregister themselves while this control is still whole.
    DeleteAll(areas_, areasLock_);
    DeleteAll(controls_, controlsLock_);
    if (manager_ != nullptr)
        manager_->ForgetControl(this);
}

void MControl::DeleteAll(ControlList& list, std::recursive_mutex& lock)
{
    // Deleting outside the lock lets a tick that waits for this list finish first.
    ControlList doomed;
    {
        std::lock_guard guard(lock);
        doomed.swap(list);
    }
    for (MControl* child : doomed)
        delete child;
}

int MControl::PtInRect(Point point) { return visible_ && GetRect().Contains(point) ? 1 : 0; }

int MControl::DrawSubControls(Canvas& canvas, const Rect& paintRect)
{
    std::lock_guard guard(controlsLock_);
    for (MControl* child : controls_)
        if (child->IsVisible())
            child->Draw(canvas, paintRect);
    return 1;
}

void MControl::SetUpdate(int valid, uint32_t backColor)
{
    cacheValid_ = valid ? 1 : 0;
    const Rect own = GetRect();
    std::lock_guard guard(controlsLock_);
    for (MControl* child : controls_)
        if (child->GetRect().Intersects(own))
            child->SetUpdate(valid, backColor);
}

int MControl::SetControlFocus(int focus)
{
    if (focus == 0) {
        std::lock_guard guard(controlsLock_);
        for (MControl* child : controls_)
            child->SetControlFocus(0);
    }
    return 0;
}

void MControl::SetControlRect(const Rect& rect)
{
    std::lock_guard guard(rectLock_);
    rect_ = rect;
}

Rect MControl::GetRect() const
{
    std::lock_guard guard(rectLock_);
    return rect_;
}

int MControl::OnControlSetCursor(uint32_t, Point point)
{
    if (!cursor_ || !GetRect().Contains(point))
        return 0;
    if (WindowSystem* system = WindowSystem::Current())
        system->SetCursor(*cursor_);
    return 1;
}

void MControl::InvalidateRect(const Rect*, int erase)
{
    if (manager_ == nullptr)
        return;
    const Rect own = GetRect();
    manager_->InvalidateRect(own, erase);
}

void MControl::SetManager(PaintManager* manager)
{
    manager_ = manager;
    InitControl(manager);
}

void MControl::AddChild(int list, MControl* child)
{
    if (list == 0) {
        std::lock_guard guard(areasLock_);
        areas_.push_back(child);
    } else {
        std::lock_guard guard(controlsLock_);
        controls_.push_back(child);
    }
}

MControl* MControl::FindControl(const ControlList& controls, const ControlList& areas, uint32_t id)
{
    for (const ControlList* list : {&controls, &areas}) {
        for (MControl* child : *list) {
            if (child->GetControlID() == id)
                return child;
            if (MControl* found = child->GetControl(id))
                return found;
        }
    }
    return nullptr;
}

MControl* MControl::GetControl(uint32_t id) { return FindControl(controls_, areas_, id); }

int MControl::RemoveControl(MControl* control)
{
    if (control == nullptr)
        return 0;
    if (manager_ != nullptr && manager_->GetFocusControl() == control) {
        control->SetControlFocus(0);
        manager_->ClearFocusControl();
    }
    bool found = false;
    {
        std::lock_guard guard(controlsLock_);
        auto it = std::find(controls_.begin(), controls_.end(), control);
        if (it != controls_.end()) {
            controls_.erase(it);
            found = true;
        }
    }
    if (found) {
        if (hotChild_ == control)
            hotChild_ = nullptr;
        delete control;
    }
    return 0;
}

void MControl::RemoveAllControl()
{
    hotChild_ = nullptr;
    DeleteAll(areas_, areasLock_);
    DeleteAll(controls_, controlsLock_);
}

void MControl::ForgetControl(MControl* control)
{
    if (hotChild_ == control)
        hotChild_ = nullptr;
}

void MControl::Report(const Rect& rect, int resetCache)
{
    if (parent_ != nullptr)
        parent_->OnControlUpdate(rect, resetCache, this);
}

void MControl::SetRect(const Rect& rect)
{
    const Rect both = GetRect().Union(rect);
    SetControlRect(rect);
    if (visible_)
        Report(both, 1);
}

void MControl::SetVisible(int visible, int report)
{
    visible = visible ? 1 : 0;
    if (visible == visible_)
        return;
    SetControlVisible(visible);
    if (report)
        Report(GetRect(), 1);
}

int MControl::IsParentVisible() const
{
    if (parent_ == nullptr)
        return 0;
    const wchar_t* name = parent_->GetClassNameW();
    if (name != nullptr && std::wcscmp(name, L"MDialog") == 0)
        return 1;
    auto* control = dynamic_cast<MControl*>(parent_);
    return control != nullptr && control->IsVisible() && control->IsParentVisible() ? 1 : 0;
}

void MControl::SetEnabled(int enabled)
{
    enabled = enabled ? 1 : 0;
    if (enabled == enabled_)
        return;
    SetControlEnabled(enabled);
    if (visible_)
        Report(GetRect(), 1);
}

void MControl::SetTooltip(const wchar_t* text, const Rect& rect)
{
    if (manager_ == nullptr)
        return;
    manager_->SetTooltip(text, rect);
    manager_->SetTooltipCtrlID(static_cast<int>(id_));
}

void MControl::ClearTooltip()
{
    if (manager_ != nullptr)
        manager_->ClearTooltip();
}

int MControl::SetCursorEx(const wchar_t* name)
{
    static constexpr struct {
        const wchar_t* name;
        CursorShape shape;
    } kCursors[] = {{L"arrow", CursorShape::Arrow}, {L"wait", CursorShape::Wait},     {L"cross", CursorShape::Cross},
                    {L"sizewe", CursorShape::SizeWE}, {L"sizens", CursorShape::SizeNS}, {L"hand", CursorShape::Hand},
                    {L"help", CursorShape::Help}};
    for (const auto& c : kCursors)
        if (name != nullptr && std::wcscmp(name, c.name) == 0)
            cursor_ = c.shape;
    return 0;
}

int MControl::IsFocusControl() const { return manager_ != nullptr && manager_->GetFocusControl() == this ? 1 : 0; }

void MControl::AddMTimer()
{
    if (manager_ != nullptr)
        manager_->AddMTimer(this);
}

void MControl::UpdateControl(int resetCache, int force) { UpdateControl(GetRect(), resetCache, force); }

void MControl::UpdateControl(const Rect& rect, int resetCache, int force)
{
    if (visible_ || force)
        Report(rect, resetCache);
}

void MControl::UpdateAControl(int still, int force)
{
    if (visible_ || force) {
        animating_ = still ? 0 : 1;
        Report(GetRect(), 0);
    }
}

Surface& MControl::UpdateMemDC(int cx, int cy)
{
    cacheValid_ = 1;
    if (cache_.Width() != cx || cache_.Height() != cy)
        cache_ = Surface(cx, cy);
    return cache_;
}

Surface& MControl::UpdateAnimateDC(int cx, int cy)
{
    animating_ = 1;
    second_ = Surface(cx, cy);
    return second_;
}

int32_t MControl::SendMessageW(uint32_t code, uint32_t wParam, int32_t lParam)
{
    return parent_ != nullptr ? parent_->OnBaseMessage(id_, code, wParam, lParam) : 0;
}

Point MControl::PointFor(const MControl* child, Point shifted, Point original)
{
    const uint32_t id = child->GetControlID();
    return id == 1 || id == 2 ? original : shifted;
}

int MControl::OnMouseMove(uint32_t flags, Point point)
{
    if (!IsLive())
        return 0;
    const Point original = point;
    OnMousePointChange(point);
    if (hotChild_ != nullptr) {
        const Point p = PointFor(hotChild_, point, original);
        if ((hotChild_->PtInRect(p) && hotChild_->OnCheckMouseResponse(flags, p)) || pressed_)
            return hotChild_->OnMouseMove(flags, p) ? 1 : 0;
    }
    MControl* previous = hotChild_;
    hotChild_ = nullptr;

    if (!tooltip_.empty() && PtInRect(point) && OnCheckMouseResponse(flags, point) && manager_ != nullptr &&
        manager_->GetTooltipCtrlID() != static_cast<int>(id_))
        SetTooltip(tooltip_.c_str(), GetRect());

    OnControlSetCursor(flags, point);
    int result = OnControlMouseMove(flags, point);
    if (pressed_)
        return result;
    {
        std::lock_guard guard(controlsLock_);
        for (MControl* child : controls_) {
            const Point p = PointFor(child, point, original);
            if (child->OnMouseMove(flags, p) && child->PtInRect(p)) {
                hotChild_ = child;
                result = 1;
            }
        }
    }
    return hotChild_ != nullptr || previous != nullptr ? 1 : result;
}

void MControl::TakeFocus()
{
    if (manager_ != nullptr && manager_->GetFocusControl() != this)
        manager_->SetFocusControl(this);
}

int MControl::ButtonDown(bool left, uint32_t flags, Point point)
{
    if (!IsLive())
        return 0;
    const Point original = point;
    OnMousePointChange(point);
    pressed_ = GetRect().Contains(point) ? 1 : 0;
    {
        // The last child under the point takes the press, except that a container's own scroll
        // bars (ids 1 and 2), drawn over its content, come before the content.
        std::lock_guard guard(controlsLock_);
        bool barTaken = false;
        for (MControl* child : controls_) {
            const Point p = PointFor(child, point, original);
            if (barTaken || !child->PtInRect(p) || !child->IsVisible() || !child->IsEnabled() || !child->GetRresponse())
                continue;
            hotChild_ = child;
            barTaken = child->GetControlID() == 1 || child->GetControlID() == 2;
        }
    }
    // A hovered child that is disabled or hidden must not take the press; its owner does.
    if (hotChild_ != nullptr && (!hotChild_->IsEnabled() || !hotChild_->IsVisible()))
        hotChild_ = nullptr;
    if (hotChild_ != nullptr) {
        const Point p = PointFor(hotChild_, point, original);
        return (left ? hotChild_->OnLButtonDown(flags, p) : hotChild_->OnRButtonDown(flags, p)) ? 1 : 0;
    }
    TakeFocus();
    return left ? OnControlLButtonDown(flags, point) : OnControlRButtonDown(flags, point);
}

int MControl::ButtonUp(bool left, uint32_t flags, Point point)
{
    if (!IsLive())
        return 0;
    const Point original = point;
    OnMousePointChange(point);
    pressed_ = 0;
    if (hotChild_ != nullptr) {
        const Point p = PointFor(hotChild_, point, original);
        return left ? hotChild_->OnLButtonUp(flags, p) : hotChild_->OnRButtonUp(flags, p);
    }
    return left ? OnControlLButtonUp(flags, point) : OnControlRButtonUp(flags, point);
}

int MControl::OnLButtonDown(uint32_t flags, Point point) { return ButtonDown(true, flags, point); }
int MControl::OnRButtonDown(uint32_t flags, Point point) { return ButtonDown(false, flags, point); }
int MControl::OnLButtonUp(uint32_t flags, Point point) { return ButtonUp(true, flags, point); }
int MControl::OnRButtonUp(uint32_t flags, Point point) { return ButtonUp(false, flags, point); }

int MControl::OnLButtonDblClk(uint32_t flags, Point point)
{
    if (!IsLive())
        return 0;
    const Point original = point;
    OnMousePointChange(point);
    pressed_ = 0;
    if (hotChild_ == nullptr)
        return wantsDblClk_ ? OnControlLButtonDblClk(flags, point) : OnControlLButtonDown(flags, point);
    const Point p = PointFor(hotChild_, point, original);
    int result = hotChild_->OnLButtonDblClk(flags, p);
    if (result == 0 && !hotChild_->GetDblClk())
        result = hotChild_->OnLButtonDown(flags, p);
    return result;
}

int MControl::OnRButtonDblClk(uint32_t flags, Point point)
{
    if (!IsLive())
        return 0;
    OnMousePointChange(point);
    pressed_ = 0;
    return wantsDblClk_ ? OnControlRButtonDblClk(flags, point) : OnControlRButtonDown(flags, point);
}

int MControl::OnScroll(int kind, uint32_t down, Point point)
{
    if (!IsLive() || !enabled_)
        return 0;
    if (hotChild_ != nullptr && hotChild_->PtInRect(point) && hotChild_->OnCheckMouseResponse(down, point))
        return hotChild_->OnScroll(kind, down, point);
    if (!GetRect().Contains(point))
        return 0;
    if (OnControlScroll(kind, down, point))
        return 1;
    std::lock_guard guard(controlsLock_);
    for (MControl* child : controls_)
        if (child->PtInRect(point) && child->OnScroll(kind, down, point))
            return 1;
    return 0;
}

int MControl::OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t modifiers)
{
    if (!IsLive())
        return 0;
    MControl* at = this;
    while (at->IsLive()) {
        MControl* focused = nullptr;
        {
            std::lock_guard guard(at->controlsLock_);
            for (MControl* child : at->controls_)
                if (child->IsFocused()) {
                    focused = child;
                    break;
                }
        }
        if (focused == nullptr)
            break;
        if (!focused->IsVisible())
            return 0;
        at = focused;
    }
    if (at->hotChild_ != nullptr && at->hotChild_->OnKeyDown(vk, repeat, modifiers))
        return 1;
    if (at->OnControlKeyDown(vk, repeat, modifiers))
        return 1;
    std::lock_guard guard(at->controlsLock_);
    for (MControl* child : at->controls_)
        if (child->OnKeyDown(vk, repeat, modifiers))
            return 1;
    return 0;
}

int MControl::OnTimer()
{
    int result = OnControlTimer();
    std::lock_guard guard(controlsLock_);
    for (MControl* child : controls_)
        if (child->IsRunTimer() && child->IsVisible() && child->OnTimer())
            result = 1;
    return result;
}

void MControl::Draw(Canvas& canvas, const Rect& paintRect)
{
    const Rect own = GetRect();
    if (!visible_ || !own.Intersects(paintRect))
        return;
    {
        std::lock_guard guard(areasLock_);
        for (MControl* area : areas_)
            if (area->GetRect().Intersects(own))
                area->Draw(canvas, paintRect);
    }
    DrawControl(canvas, paintRect);
    DrawSubControls(canvas, paintRect);
}

} // namespace Vinto
