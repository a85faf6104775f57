#pragma once

#include <cairo.h>

// Line icons of the skin, each drawn into a square box of `size` pixels at the current origin with
// the context's current source and line width; a glyph strokes or fills its own path. Designed on a
// 24-unit grid and scaled, so one drawing serves the 10-pixel steppers and the 26-pixel tab icons
// alike. Stateless; any thread.
class Glyphs {
public:
    using Draw = void (*)(cairo_t* cr, double size);

    static void Home(cairo_t* cr, double size);
    static void Mouse(cairo_t* cr, double size);
    static void Gauge(cairo_t* cr, double size);
    static void Bulb(cairo_t* cr, double size);
    static void Macro(cairo_t* cr, double size);
    static void Gear(cairo_t* cr, double size);

    static void Close(cairo_t* cr, double size);
    static void Minimise(cairo_t* cr, double size);
    static void Maximise(cairo_t* cr, double size);
    static void Restore(cairo_t* cr, double size);
    static void Reset(cairo_t* cr, double size);
    static void Help(cairo_t* cr, double size);
    static void Plus(cairo_t* cr, double size);
    static void Minus(cairo_t* cr, double size);
    static void TriangleUp(cairo_t* cr, double size);
    static void TriangleDown(cairo_t* cr, double size);
    static void ChevronDown(cairo_t* cr, double size);
    static void ChevronUp(cairo_t* cr, double size);
    static void Back(cairo_t* cr, double size);
    static void More(cairo_t* cr, double size);
    static void Record(cairo_t* cr, double size);
    static void Stop(cairo_t* cr, double size);
    static void Key(cairo_t* cr, double size);
    static void Move(cairo_t* cr, double size);
    static void Clock(cairo_t* cr, double size);
    static void Cable(cairo_t* cr, double size);
    static void Receiver(cairo_t* cr, double size);
    static void Bluetooth(cairo_t* cr, double size);
    static void Bolt(cairo_t* cr, double size);
    static void Check(cairo_t* cr, double size);
};
