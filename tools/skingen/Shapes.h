#pragma once

#include "Rgba.h"

#include <cairo.h>

// Path and fill helpers shared by every painter of the skin. Stateless; any thread.
class Shapes {
public:
    static void SetColour(cairo_t* cr, const Rgba& c);

    // Adds a rounded rectangle to the current path.
    static void RoundRect(cairo_t* cr, double x, double y, double w, double h, double radius);
    static void Circle(cairo_t* cr, double cx, double cy, double radius);

    static void Fill(cairo_t* cr, const Rgba& c);
    static void Stroke(cairo_t* cr, const Rgba& c, double width);

    // A filled rounded rectangle with a one-pixel edge drawn on the pixel grid, so it stays crisp.
    static void Card(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgba& fill,
                     const Rgba& edge);
    // Fills the current path with a vertical gradient from `top` (at y0) to `bottom` (at y1).
    static void FillVertical(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom);
    struct Ring {
        double cx, cy, radius;
    };
    // Fills the current path with a radial gradient between two circles.
    static void FillRadial(cairo_t* cr, const Ring& from, const Ring& to, const Rgba& inner, const Rgba& outer);
    // Fills the current path with a horizontal gradient from `left` (at x0) to `right` (at x1).
    static void FillHorizontal(cairo_t* cr, double x0, double x1, const Rgba& left, const Rgba& right);
    // A soft radial glow centred on (cx, cy) fading to nothing at `radius`.
    static void Glow(cairo_t* cr, double cx, double cy, double radius, const Rgba& c);
};
