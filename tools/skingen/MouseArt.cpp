#include "MouseArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <cmath>

namespace {

// Outline of the shell, right half mirrored onto the left.
void ShellPath(cairo_t* cr)
{
    cairo_move_to(cr, 130, 26);
    cairo_curve_to(cr, 186, 26, 206, 72, 207, 122);
    cairo_curve_to(cr, 208, 190, 222, 244, 217, 302);
    cairo_curve_to(cr, 211, 368, 176, 398, 130, 398);
    cairo_curve_to(cr, 84, 398, 49, 368, 43, 302);
    cairo_curve_to(cr, 38, 244, 52, 190, 53, 122);
    cairo_curve_to(cr, 54, 72, 74, 26, 130, 26);
    cairo_close_path(cr);
}

void SideButton(cairo_t* cr, double x, double y, double h)
{
    Shapes::RoundRect(cr, x, y, 15, h, 7.5);
    Shapes::FillVertical(cr, y, y + h, Theme::kMouseShellLight, Theme::kMouseKey);
    Shapes::RoundRect(cr, x + 0.5, y + 0.5, 14, h - 1, 7);
    Shapes::Stroke(cr, Theme::kMouseSeam, 1.5);
}

}  // namespace

void MouseArt::Draw(cairo_t* cr)
{
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // Side buttons sit on the flank, half outside the shell's outline as seen from above.
    SideButton(cr, 39, 186, 46);
    SideButton(cr, 36, 238, 50);

    ShellPath(cr);
    Shapes::FillRadial(cr, {130, 150, 10}, {130, 220, 230}, Theme::kMouseShellLight,
                       Theme::kMouseShell.Mix(Theme::kMouseSeam, 0.35));
    ShellPath(cr);
    Shapes::Stroke(cr, Theme::kMouseShellLight.Mix(Theme::kGlyph, 0.3), 2);

    // The two main buttons end on a shallow curve across the shell.
    cairo_move_to(cr, 54, 178);
    cairo_curve_to(cr, 90, 166, 170, 166, 206, 178);
    Shapes::Stroke(cr, Theme::kMouseSeam, 2.5);
    cairo_move_to(cr, 130, 28);
    cairo_line_to(cr, 130, 58);
    cairo_move_to(cr, 130, 116);
    cairo_line_to(cr, 130, 169);
    Shapes::Stroke(cr, Theme::kMouseSeam, 2.5);

    // Wheel in its slot, lit by the accent.
    Shapes::RoundRect(cr, 117, 56, 26, 62, 10);
    Shapes::Fill(cr, Theme::kMouseSeam);
    Shapes::Glow(cr, 130, 87, 34, Theme::kAccent.WithAlpha(0.35));
    Shapes::RoundRect(cr, 122, 62, 16, 50, 7);
    Shapes::FillVertical(cr, 62, 112, Theme::kMouseShellLight.Mix(Theme::kGlyph, 0.4), Theme::kMouseKey);
    for (int rib = 0; rib < 8; ++rib) {
        cairo_move_to(cr, 125, 68 + rib * 5.5);
        cairo_line_to(cr, 135, 68 + rib * 5.5);
    }
    Shapes::Stroke(cr, Theme::kMouseSeam.WithAlpha(0.7), 1);
    Shapes::RoundRect(cr, 121.5, 61.5, 17, 51, 7.5);
    Shapes::Stroke(cr, Theme::kAccent.WithAlpha(0.8), 1);

    // Palm mark, lit like the wheel.
    Shapes::Glow(cr, 130, 300, 40, Theme::kAccent.WithAlpha(0.22));
    cairo_move_to(cr, 118, 312);
    cairo_line_to(cr, 118, 288);
    cairo_line_to(cr, 130, 300);
    cairo_line_to(cr, 142, 288);
    cairo_line_to(cr, 142, 312);
    Shapes::Stroke(cr, Theme::kAccent, 3);

}

Surface MouseArt::TopView()
{
    Surface s(kWidth, kHeight);
    Draw(s.Cr());
    return s;
}

Surface MouseArt::Showcase(int width, int height)
{
    Surface s(width, height);
    cairo_t* cr = s.Cr();
    cairo_save(cr);
    cairo_scale(cr, 1, 0.35);
    Shapes::Glow(cr, width / 2.0, (height - 70) / 0.35, width * 0.3, Theme::kAccent.WithAlpha(0.30));
    cairo_restore(cr);
    const double scale = (height - 60) / static_cast<double>(kHeight);
    cairo_translate(cr, width / 2.0, height / 2.0 - 10);
    cairo_rotate(cr, -14 * M_PI / 180);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -kWidth / 2.0, -kHeight / 2.0);
    Draw(cr);
    return s;
}
