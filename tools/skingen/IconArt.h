#pragma once

#include "Glyphs.h"
#include "Rgba.h"
#include "Surface.h"

#include <vector>

// Small fixed icons: rows of glyph cells in given colours, and the battery pieces. Stateless; any
// thread.
class IconArt {
public:
    struct Cell {
        Glyphs::Draw glyph;
        Rgba colour;
    };

    // One cell per entry, each `cellSize` square with the glyph drawn `glyphSize` wide in its centre.
    static Surface Row(int cellSize, double glyphSize, const std::vector<Cell>& cells);
    static Surface BatteryOutline(int width, int height);
    // Four segments with 2-pixel gaps: segment width = (width - 6) / 4.
    static Surface BatteryLevel(int width, int height);
};
