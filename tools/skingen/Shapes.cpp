#include "Shapes.h"

#include <cmath>
#include <memory>

namespace {

using PatternPtr = std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)>;

}  // namespace

void Shapes::SetColour(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void Shapes::RoundRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::fmin(radius, std::fmin(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Shapes::Circle(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
}

void Shapes::Fill(cairo_t* cr, const Rgba& c)
{
    SetColour(cr, c);
    cairo_fill(cr);
}

void Shapes::Stroke(cairo_t* cr, const Rgba& c, double width)
{
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Shapes::Card(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgba& fill,
                  const Rgba& edge)
{
    RoundRect(cr, x, y, w, h, radius);
    Fill(cr, fill);
    RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5);
    Stroke(cr, edge, 1);
}

namespace {

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgba& from, const Rgba& to)
{
    PatternPtr p(cairo_pattern_create_linear(x0, y0, x1, y1), cairo_pattern_destroy);
    cairo_pattern_add_color_stop_rgba(p.get(), 0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(p.get(), 1, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, p.get());
    cairo_fill(cr);
}

}  // namespace

void Shapes::FillVertical(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom)
{
    FillLinear(cr, 0, y0, 0, y1, top, bottom);
}

void Shapes::FillHorizontal(cairo_t* cr, double x0, double x1, const Rgba& left, const Rgba& right)
{
    FillLinear(cr, x0, 0, x1, 0, left, right);
}

void Shapes::FillRadial(cairo_t* cr, const Ring& from, const Ring& to, const Rgba& inner, const Rgba& outer)
{
    PatternPtr p(cairo_pattern_create_radial(from.cx, from.cy, from.radius, to.cx, to.cy, to.radius),
                 cairo_pattern_destroy);
    cairo_pattern_add_color_stop_rgba(p.get(), 0, inner.r, inner.g, inner.b, inner.a);
    cairo_pattern_add_color_stop_rgba(p.get(), 1, outer.r, outer.g, outer.b, outer.a);
    cairo_set_source(cr, p.get());
    cairo_fill(cr);
}

void Shapes::Glow(cairo_t* cr, double cx, double cy, double radius, const Rgba& c)
{
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    FillRadial(cr, {cx, cy, 0}, {cx, cy, radius}, c, c.WithAlpha(0));
}
