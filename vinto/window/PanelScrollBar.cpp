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

void PanelScrollBar::DrawControl(Canvas& canvas, const Rect&)
{
    const Rect thumb = ThumbRect();
    if (!thumb.IsEmpty())
        canvas.FillRect(thumb, Manager::GetSelectColor());
}

} // namespace Vinto
