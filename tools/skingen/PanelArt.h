#pragma once

#include "Rgba.h"
#include "Surface.h"

// Backgrounds and fixed pieces of the skin: the window, panels and wells, bars, balloon, list rows,
// callout boxes and slider parts. Stateless; any thread.
class PanelArt {
public:
    static Surface Window(int width, int height);
    // A rounded card for nine-grid stretching: `radius` must stay inside the border the control keeps.
    static Surface Card(int width, int height, double radius, const Rgba& fill, const Rgba& edge);
    static Surface NavigationColumn(int width, int height);
    static Surface FooterBar(int width, int height);
    static Surface Balloon(int width, int height);
    static Surface BalloonArrow(int width, int height, int pointing);
    // Two cells side by side: normal, then selected.
    static Surface CalloutBox(int cellWidth, int cellHeight);
    static Surface ListRow(int cellWidth, int cellHeight);
    // Track images: the upper half is the empty track, the lower half the filled one.
    static Surface SliderTrack(int width, int halfHeight);
    static Surface SaturationTrack(int width, int halfHeight);
    static Surface RoundThumb(int size);
    static Surface PointerThumb(int width, int height);
    static Surface ScrollStrip(int frameWidth, int frameHeight, bool vertical);
    static Surface LogoMark(int width, int height);
    // The logo mark in a `size` square at (x, y) on any cairo target; the program's icon uses it too.
    static void DrawMark(cairo_t* cr, double x, double y, double size);
};
