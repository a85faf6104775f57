#include "Glyphs.h"

#include "Shapes.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// Path building happens in grid units; stroking after the restore keeps the line width in pixels.
class Grid {
public:
    Grid(cairo_t* cr, double size) : cr_(cr)
    {
        cairo_save(cr_);
        cairo_scale(cr_, size / 24.0, size / 24.0);
    }
    ~Grid() { cairo_restore(cr_); }
    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;

    void Line(std::initializer_list<std::pair<double, double>> points, bool closed = false)
    {
        bool first = true;
        for (const auto& [x, y] : points) {
            if (first) {
                cairo_move_to(cr_, x, y);
                first = false;
            } else {
                cairo_line_to(cr_, x, y);
            }
        }
        if (closed) {
            cairo_close_path(cr_);
        }
    }
    void Arc(double cx, double cy, double r, double fromDeg, double toDeg)
    {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, cx, cy, r, fromDeg * M_PI / 180, toDeg * M_PI / 180);
    }
    void Box(double x, double y, double w, double h, double r) { Shapes::RoundRect(cr_, x, y, w, h, r); }

private:
    cairo_t* cr_;
};

void StrokeRound(cairo_t* cr)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

}  // namespace

void Glyphs::Home(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{3, 11.5}, {12, 4}, {21, 11.5}});
        g.Line({{5.5, 10}, {5.5, 20.5}, {18.5, 20.5}, {18.5, 10}});
        g.Line({{10, 20.5}, {10, 15}, {14, 15}, {14, 20.5}});
    }
    StrokeRound(cr);
}

void Glyphs::Mouse(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(6, 2.5, 12, 19, 6);
        g.Line({{6, 10}, {18, 10}});
        g.Line({{12, 2.5}, {12, 10}});
    }
    StrokeRound(cr);
}

void Glyphs::Gauge(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 14, 9, 150, 390);
        g.Line({{12, 14}, {17, 8.5}});
        g.Line({{5.5, 14}, {7, 14}});
        g.Line({{18.5, 14}, {17, 14}});
        g.Line({{12, 6.5}, {12, 8}});
    }
    StrokeRound(cr);
}

void Glyphs::Bulb(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 10, 6.5, 135, 405);
        g.Line({{16.6, 14.6}, {15, 17}, {9, 17}, {7.4, 14.6}});
        g.Line({{9.5, 20}, {14.5, 20}});
        g.Line({{12, 1}, {12, 1.2}});
        g.Line({{3, 10}, {3.2, 10}});
        g.Line({{21, 10}, {20.8, 10}});
    }
    StrokeRound(cr);
}

void Glyphs::Macro(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{11, 6}, {21, 6}});
        g.Line({{11, 12}, {21, 12}});
        g.Line({{11, 18}, {21, 18}});
    }
    StrokeRound(cr);
    {
        Grid g(cr, size);
        g.Line({{3, 7}, {3, 17}, {8.5, 12}}, true);
    }
    cairo_fill(cr);
}

void Glyphs::Gear(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        constexpr int kTeeth = 8;
        for (int i = 0; i < kTeeth * 4; ++i) {
            // Each tooth: outer flat, falling flank, inner flat, rising flank.
            const double angle = (i * 360.0 / (kTeeth * 4) - 5.6) * M_PI / 180;
            const double r = (i % 4 == 0 || i % 4 == 1) ? 10 : 7.4;
            const double x = 12 + r * std::cos(angle);
            const double y = 12 + r * std::sin(angle);
            i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        g.Arc(12, 12, 3.2, 0, 360);
    }
    StrokeRound(cr);
}

void Glyphs::Close(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{7, 7}, {17, 17}});
        g.Line({{17, 7}, {7, 17}});
    }
    StrokeRound(cr);
}

void Glyphs::Minimise(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{7, 12}, {17, 12}});
    }
    StrokeRound(cr);
}

void Glyphs::Maximise(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(7, 7, 10, 10, 1.5);
    }
    StrokeRound(cr);
}

void Glyphs::Restore(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(6.5, 9.5, 8, 8, 1.5);
        g.Line({{9.5, 6.5}, {17.5, 6.5}, {17.5, 14.5}});
    }
    StrokeRound(cr);
}

void Glyphs::Reset(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 12, 7.5, -70, 230);
        g.Line({{13.5, 1.5}, {14.6, 5}, {11, 6.2}});
    }
    StrokeRound(cr);
}

void Glyphs::Help(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 12, 10.5, 0, 360);
        g.Arc(12, 9.5, 3.5, 190, 400);
        g.Line({{14.7, 11.7}, {12, 13.6}, {12, 14.6}});
    }
    StrokeRound(cr);
    {
        Grid g(cr, size);
        g.Arc(12, 18, 1.4, 0, 360);
    }
    cairo_fill(cr);
}

void Glyphs::Plus(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{5, 12}, {19, 12}});
        g.Line({{12, 5}, {12, 19}});
    }
    StrokeRound(cr);
}

void Glyphs::Minus(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{5, 12}, {19, 12}});
    }
    StrokeRound(cr);
}

void Glyphs::TriangleUp(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{4, 17}, {20, 17}, {12, 7}}, true);
    }
    cairo_fill(cr);
}

void Glyphs::TriangleDown(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{4, 7}, {20, 7}, {12, 17}}, true);
    }
    cairo_fill(cr);
}

void Glyphs::ChevronDown(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{6, 9.5}, {12, 15.5}, {18, 9.5}});
    }
    StrokeRound(cr);
}

void Glyphs::ChevronUp(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{6, 14.5}, {12, 8.5}, {18, 14.5}});
    }
    StrokeRound(cr);
}

void Glyphs::Back(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{5, 12}, {19, 12}});
        g.Line({{10.5, 6.5}, {5, 12}, {10.5, 17.5}});
    }
    StrokeRound(cr);
}

void Glyphs::More(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(5.5, 12, 2, 0, 360);
        g.Arc(12, 12, 2, 0, 360);
        g.Arc(18.5, 12, 2, 0, 360);
    }
    cairo_fill(cr);
}

void Glyphs::Record(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 12, 6.5, 0, 360);
    }
    cairo_fill(cr);
}

void Glyphs::Stop(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(6, 6, 12, 12, 2);
    }
    cairo_fill(cr);
}

void Glyphs::Key(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(3.5, 5.5, 17, 13, 3);
        g.Line({{8, 14.5}, {16, 14.5}});
        g.Line({{7.5, 9.5}, {7.6, 9.5}});
        g.Line({{12, 9.5}, {12.1, 9.5}});
        g.Line({{16.5, 9.5}, {16.6, 9.5}});
    }
    StrokeRound(cr);
}

void Glyphs::Move(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{12, 3}, {12, 21}});
        g.Line({{3, 12}, {21, 12}});
        g.Line({{9, 6}, {12, 3}, {15, 6}});
        g.Line({{9, 18}, {12, 21}, {15, 18}});
        g.Line({{6, 9}, {3, 12}, {6, 15}});
        g.Line({{18, 9}, {21, 12}, {18, 15}});
    }
    StrokeRound(cr);
}

void Glyphs::Clock(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Arc(12, 12, 8.5, 0, 360);
        g.Line({{12, 7}, {12, 12}, {15.5, 14}});
    }
    StrokeRound(cr);
}

void Glyphs::Cable(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(7.5, 3, 9, 9, 1.5);
        g.Line({{10.5, 6}, {10.5, 7}});
        g.Line({{13.5, 6}, {13.5, 7}});
        g.Line({{12, 12}, {12, 21}});
    }
    StrokeRound(cr);
}

void Glyphs::Receiver(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Box(8, 9, 8, 12, 2);
        g.Line({{10, 9}, {10, 5}, {14, 5}, {14, 9}});
        g.Arc(12, 5, 7, 220, 320);
    }
    StrokeRound(cr);
}

void Glyphs::Bluetooth(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{7, 7.5}, {16.5, 16}, {12, 20.5}, {12, 3.5}, {16.5, 8}, {7, 16.5}});
    }
    StrokeRound(cr);
}

void Glyphs::Bolt(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{14, 1.5}, {5, 13.5}, {11.5, 13.5}, {10, 22.5}, {19, 10.5}, {12.5, 10.5}}, true);
    }
    cairo_fill(cr);
}

void Glyphs::Check(cairo_t* cr, double size)
{
    {
        Grid g(cr, size);
        g.Line({{5.5, 12.5}, {10, 17}, {18.5, 7.5}});
    }
    StrokeRound(cr);
}
