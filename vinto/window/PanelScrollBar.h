#pragma once
// The thin scroll bar a panel keeps along its right (vertical) or bottom (horizontal) edge: a
// range, a position and a step, drawn as a thumb over a track.
// Thread contract: UI thread only.

#include "vinto/core/MControl.h"

namespace Vinto {

class PanelScrollBar : public MControl {
public:
    PanelScrollBar(MObject* parent, uint32_t id, bool vertical);

    void DrawControl(Canvas& canvas, const Rect& paintRect) override;

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
};

} // namespace Vinto
