#pragma once
// A tile for the demo dialog: a rounded box with a centred title that lights up under the pointer
// and reports a click (code 2). Its two looks are rendered once into the control's cache.
// Thread contract: UI thread only.

#include "vinto/core/MControlFont.h"

class DemoTile : public Vinto::MControlFont {
public:
    DemoTile(Vinto::MObject* parent, uint32_t id, const Vinto::Rect& rect, const wchar_t* title);

    void DrawControl(Vinto::Canvas& canvas, const Vinto::Rect& paintRect) override;
    int OnControlMouseMove(uint32_t flags, Vinto::Point point) override;
    int OnControlLButtonUp(uint32_t flags, Vinto::Point point) override;
    int OnControlLButtonDown(uint32_t, Vinto::Point) override { return 1; }

private:
    bool hover_ = false;
};
