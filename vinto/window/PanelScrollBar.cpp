#include "vinto/window/PanelScrollBar.h"

#include "vinto/paint/Manager.h"

#include <algorithm>

namespace Vinto {

PanelScrollBar::PanelScrollBar(MObject* parent, uint32_t id, bool vertical)
    : MControl(parent, id, Rect{}, 0, 1, 1), vertical_(vertical)
{
}

void PanelScrollBar::SetRange(int range)
{
    range_ = std::max(0, range);
    if (autoReset_)
        page_ = 0;
    position_ = std::clamp(position_, 0, range_);
}

void PanelScrollBar::SetPos(int position) { position_ = std::clamp(position, 0, range_); }

Rect PanelScrollBar::ThumbRect() const
{
    const Rect track = GetRect();
    const int length = vertical_ ? track.Height() : track.Width();
    if (range_ <= 0 || length <= 0 || range_ <= length)
        return {};
    // The thumb shows the visible share of the content; its travel maps the position.
    const int thumb = std::max(12, length * length / range_);
    const int offset = (length - thumb) * position_ / range_;
    return vertical_ ? Rect{track.left, track.top + offset, track.right, track.top + offset + thumb}
                     : Rect{track.left + offset, track.top, track.left + offset + thumb, track.bottom};
}

int PanelScrollBar::OnControlLButtonDown(uint32_t, Point point)
{
    if (!ThumbRect().Contains(point))
        return 0;
    dragging_ = true;
    dragStart_ = point;
    dragStartPos_ = position_;
    return 1;
}

int PanelScrollBar::OnControlMouseMove(uint32_t, Point point)
{
    if (!dragging_)
        return GetRect().Contains(point) ? 1 : 0;
    const Rect track = GetRect();
    const Rect thumb = ThumbRect();
    const int travel = vertical_ ? track.Height() - thumb.Height() : track.Width() - thumb.Width();
    if (travel <= 0)
        return 1;
    const int moved = vertical_ ? point.y - dragStart_.y : point.x - dragStart_.x;
    const int old = position_;
    SetPos(dragStartPos_ + moved * range_ / travel);
    if (position_ != old) {
        UpdateControl(1, 0);
        SendMessageW(8, static_cast<uint32_t>(position_), 0);
    }
    return 1;
}

int PanelScrollBar::OnControlLButtonUp(uint32_t, Point)
{
    const bool was = dragging_;
    dragging_ = false;
    return was ? 1 : 0;
}

void PanelScrollBar::DrawControl(Canvas& canvas, const Rect&)
{
    const Rect thumb = ThumbRect();
    if (!thumb.IsEmpty())
        canvas.FillRect(thumb, Manager::GetSelectColor());
}

} // namespace Vinto
