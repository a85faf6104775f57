#include "IconArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <algorithm>

Surface IconArt::Row(int cellSize, double glyphSize, const std::vector<Cell>& cells)
{
    return Surface::Strip(cellSize, cellSize, static_cast<int>(cells.size()), [&](cairo_t* cr, int i) {
        cairo_translate(cr, (cellSize - glyphSize) / 2, (cellSize - glyphSize) / 2);
        Shapes::SetColour(cr, cells[i].colour);
        cairo_set_line_width(cr, std::max(1.2, glyphSize / 12.0));
        cells[i].glyph(cr, glyphSize);
    });
}

Surface IconArt::BatteryOutline(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    Shapes::RoundRect(cr, 0.75, 0.75, width - 4.5, height - 1.5, 3);
    Shapes::Stroke(cr, Theme::kGlyph, 1.5);
    Shapes::RoundRect(cr, width - 3, height / 2.0 - 3, 3, 6, 1);
    Shapes::Fill(cr, Theme::kGlyph);
    return s;
}

Surface IconArt::BatteryLevel(int width, int height)
{
    Surface s(width, height);
    const int segment = (width - 6) / 4;
    for (int k = 0; k < 4; ++k) {
        Shapes::RoundRect(s.Cr(), k * (segment + 2), 0, segment, height, 1);
        Shapes::Fill(s.Cr(), Theme::kAccent);
    }
    return s;
}
