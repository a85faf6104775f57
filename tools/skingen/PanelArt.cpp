#include "PanelArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <algorithm>
#include <cmath>

Surface PanelArt::Window(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    cairo_rectangle(cr, 0, 0, width, height);
    Shapes::FillVertical(cr, 0, height, Theme::kWindowTop, Theme::kWindowBottom);
    Shapes::Glow(cr, width * 0.72, -height * 0.15, width * 0.55, Theme::kAccent.WithAlpha(0.06));
    Shapes::Glow(cr, width * 0.05, height * 1.05, width * 0.35, Theme::kAccent.WithAlpha(0.03));
    // Caption band: the system buttons and the tab strip hang below this hairline.
    cairo_move_to(cr, 1, 50.5);
    cairo_line_to(cr, width - 1, 50.5);
    Shapes::Stroke(cr, Rgba::Hex(0xFFFFFF, 0.05), 1);
    DrawMark(cr, 20, 13, 24);
    cairo_rectangle(cr, 0.5, 0.5, width - 1, height - 1);
    Shapes::Stroke(cr, Theme::kWindowEdge, 1);
    return s;
}

Surface PanelArt::Card(int width, int height, double radius, const Rgba& fill, const Rgba& edge)
{
    Surface s(width, height);
    Shapes::Card(s.Cr(), 0, 0, width, height, radius, fill, edge);
    return s;
}

Surface PanelArt::NavigationColumn(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    cairo_rectangle(cr, 0, 0, width, height);
    Shapes::Fill(cr, Rgba::Hex(0x0B0C0F, 0.55));
    cairo_move_to(cr, width - 0.5, 0);
    cairo_line_to(cr, width - 0.5, height);
    Shapes::Stroke(cr, Theme::kWellEdge, 1);
    return s;
}

Surface PanelArt::FooterBar(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    cairo_rectangle(cr, 0, 0, width, height);
    Shapes::FillVertical(cr, 0, height, Rgba::Hex(0x0B0C0F, 0.5), Rgba::Hex(0x0B0C0F, 0.8));
    cairo_move_to(cr, 0, 0.5);
    cairo_line_to(cr, width, 0.5);
    Shapes::Stroke(cr, Rgba::Hex(0xFFFFFF, 0.06), 1);
    return s;
}

Surface PanelArt::Balloon(int width, int height)
{
    return Card(width, height, 5, Rgba::Hex(0x25282F, 0.97), Theme::kAccent.WithAlpha(0.45));
}

Surface PanelArt::BalloonArrow(int width, int height, int pointing)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    switch (pointing) {
    case 0: // left
        cairo_move_to(cr, width, 0);
        cairo_line_to(cr, 0, height / 2.0);
        cairo_line_to(cr, width, height);
        break;
    case 1: // right
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, width, height / 2.0);
        cairo_line_to(cr, 0, height);
        break;
    default: // up
        cairo_move_to(cr, 0, height);
        cairo_line_to(cr, width / 2.0, 0);
        cairo_line_to(cr, width, height);
        break;
    }
    cairo_close_path(cr);
    Shapes::Fill(cr, Rgba::Hex(0x25282F, 0.97));
    return s;
}

Surface PanelArt::CalloutBox(int cellWidth, int cellHeight)
{
    Surface s(cellWidth * 2, cellHeight);
    Shapes::Card(s.Cr(), 0, 0, cellWidth, cellHeight, 5, Rgba::Hex(0x1C1F24, 0.95), Theme::kFaceEdge);
    Shapes::Card(s.Cr(), cellWidth, 0, cellWidth, cellHeight, 5, Theme::kAccent, Theme::kAccent.Mix(Theme::kGlyphHover, 0.4));
    return s;
}

Surface PanelArt::ListRow(int cellWidth, int cellHeight)
{
    Surface s(cellWidth * 2, cellHeight);
    cairo_t* cr = s.Cr();
    for (int cell = 0; cell < 2; ++cell) {
        const double x = cell * cellWidth;
        if (cell == 1) {
            cairo_rectangle(cr, x, 0, cellWidth, cellHeight);
            Shapes::Fill(cr, Theme::kAccent.WithAlpha(0.13));
            cairo_rectangle(cr, x, 0, 3, cellHeight);
            Shapes::Fill(cr, Theme::kAccent);
        }
        cairo_move_to(cr, x + (cell == 1 ? 3 : 0), cellHeight - 1.5);
        cairo_line_to(cr, x + cellWidth, cellHeight - 1.5);
        Shapes::Stroke(cr, Rgba::Hex(0xFFFFFF, 0.06), 1);
    }
    return s;
}

Surface PanelArt::SliderTrack(int width, int halfHeight)
{
    Surface s(width, halfHeight * 2);
    cairo_t* cr = s.Cr();
    const double barY = halfHeight / 2.0 - 2 + 1;
    Shapes::RoundRect(cr, 0, barY, width, 4, 2);
    Shapes::Fill(cr, Theme::kFace);
    Shapes::RoundRect(cr, 0, halfHeight + barY, width, 4, 2);
    Shapes::Fill(cr, Theme::kAccent);
    return s;
}

Surface PanelArt::SaturationTrack(int width, int halfHeight)
{
    Surface s(width, halfHeight * 2);
    cairo_t* cr = s.Cr();
    const double barY = halfHeight / 2.0 - 3 + 1;
    for (int half = 0; half < 2; ++half) {
        const double y = half * halfHeight + barY;
        Shapes::RoundRect(cr, 0, y, width, 6, 3);
        const double a = half == 0 ? 0.45 : 1.0;
        Shapes::FillHorizontal(cr, 0, width, Rgba::Hex(0x808080, a), Theme::kAccent.WithAlpha(a));
    }
    return s;
}

Surface PanelArt::RoundThumb(int size)
{
    Surface s(size, size);
    cairo_t* cr = s.Cr();
    const double c = size / 2.0;
    Shapes::Circle(cr, c, c, c - 0.5);
    Shapes::Fill(cr, Theme::kAccent);
    Shapes::Circle(cr, c, c, std::max(1.5, c - 3));
    Shapes::Fill(cr, Theme::kGlyphHover);
    return s;
}

Surface PanelArt::PointerThumb(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    cairo_move_to(cr, width / 2.0, 0.5);
    cairo_line_to(cr, width - 1, 5);
    cairo_line_to(cr, width - 1, height - 1);
    cairo_line_to(cr, 1, height - 1);
    cairo_line_to(cr, 1, 5);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Shapes::SetColour(cr, Theme::kAccent);
    cairo_fill_preserve(cr);
    Shapes::Stroke(cr, Theme::kGlyphHover.WithAlpha(0.8), 1);
    return s;
}

Surface PanelArt::ScrollStrip(int frameWidth, int frameHeight, bool vertical)
{
    return Surface::Strip(frameWidth, frameHeight, 3, [&](cairo_t* cr, int i) {
        const double inset = 2;
        const double w = frameWidth - 2 * inset;
        const double h = frameHeight - 2 * inset;
        Shapes::RoundRect(cr, inset, inset, w, h, (vertical ? w : h) / 2);
        Shapes::Fill(cr, i == 0 ? Theme::kFaceEdge : i == 1 ? Theme::kGlyph : Theme::kAccent);
    });
}

Surface PanelArt::LogoMark(int width, int height)
{
    Surface s(width, height);
    const double size = std::min(width, height);
    DrawMark(s.Cr(), (width - size) / 2, (height - size) / 2, size);
    return s;
}

void PanelArt::DrawMark(cairo_t* cr, double x, double y, double size)
{
    // A rounded tile with the palm mark of the mouse: the product's sign wherever it appears.
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 24.0, size / 24.0);
    Shapes::RoundRect(cr, 0, 0, 24, 24, 6);
    Shapes::FillVertical(cr, 0, 24, Rgba::Hex(0x2A2E36), Rgba::Hex(0x15171B));
    cairo_move_to(cr, 6.5, 17);
    cairo_line_to(cr, 6.5, 7);
    cairo_line_to(cr, 12, 12.5);
    cairo_line_to(cr, 17.5, 7);
    cairo_line_to(cr, 17.5, 17);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Shapes::Stroke(cr, Theme::kAccent, std::max(1.5, size / 10));
}
