#pragma once
// Points and rectangles in pixels. A rectangle is (left, top, right, bottom) with right and bottom
// exclusive, the convention of every window and control rectangle in the toolkit.
// Thread contract: plain values, safe to copy between threads.

#include <algorithm>

namespace Vinto {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }

    Rect Intersect(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    // The bounding box of both; an empty rectangle does not widen the other.
    Rect Union(const Rect& o) const
    {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    bool Intersects(const Rect& o) const { return !Intersect(o).IsEmpty(); }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Floating-point rectangle for anti-aliased shapes (x, y, width, height as drawing calls take them).
struct RectF {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

} // namespace Vinto
