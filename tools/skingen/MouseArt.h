#pragma once

#include "Surface.h"

// The five-button mouse seen from above: left and right buttons, the wheel, and two side buttons on
// the left flank (forward in front, back behind it). The layout file's callout points are measured
// on TopView, so the drawing's geometry is fixed: a 260 x 420 picture, the body centred at x = 130.
// Stateless; any thread.
class MouseArt {
public:
    static constexpr int kWidth = 260;
    static constexpr int kHeight = 420;

    static Surface TopView();
    // The model picture of the device card: the mouse turned slightly, over a soft accent glow.
    static Surface Showcase(int width, int height);

private:
    static void Draw(cairo_t* cr);
};
