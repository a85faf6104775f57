#pragma once
// The thin scroll bar a panel keeps along its right (vertical) or bottom (horizontal) edge: a
// range, a position and a step, drawn as a thumb over a track. Dragging the thumb moves the
// position and notifies the panel (code 8, wParam the new position).
// Thread contract: UI thread only.

#include "vinto/core/MControl.h"

namespace Vinto {

class PanelScrollBar : public MControl {
public:
    PanelScrollBar(MObject* parent, uint32_t id, bool vertical);

    void DrawControl(Canvas& canvas, const Rect& paintRect) override;
    int OnControlLButtonDown(uint32_t flags, Point point) override;
    int OnControlMouseMove(uint32_t flags, Point point) override;
    int OnControlLButtonUp(uint32_t flags, Point point) override;

    bool IsVertical() const { return vertical_; }
    int GetRange() const { return range_; }
    int GetPos() const { return position_; }
    int GetStep() const { return step_; }
    void SetStep(int step) { step_ = step; }
    bool GetAutoReset() const { return autoReset_; }
    void SetAutoReset(bool reset) { autoReset_ = reset; }
    // The content extent; the page size is reset when auto-reset is on. Recomputes the thumb.
    void SetRange(int range);
    void SetPos(int position);
    // The thumb rectangle in window coordinates; empty when there is nothing to scroll.
    Rect ThumbRect() const;

private:
    bool vertical_;
    int range_ = 0;
    int position_ = 0;
    int step_ = 10;
    int page_ = 0;
    bool autoReset_ = true;
    bool dragging_ = false;
    Point dragStart_;
    int dragStartPos_ = 0;
};

} // namespace Vinto
