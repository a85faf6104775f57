#pragma once
// The toolkit's drawing routines: nine-grid images, solid and gradient fills, rounded rectangles,
// alpha transitions, text and the placement of an item in a box.
// Thread contract: stateless; each call draws on the canvas it is given, on that canvas's thread.

#include "vinto/platform/Canvas.h"
#include "vinto/platform/Image.h"

#include <memory>
#include <string>

namespace Vinto {

class MRender {
public:
    // Null when the file is missing or cannot be decoded.
    static std::unique_ptr<Image> LoadImageFromFile(const std::string& utf8Path);

    // Nine-grid of the source cell with the same border on every side.
    static void DrawImageFrame(Canvas& canvas, const Surface& image, const Rect& dest, int srcX, int srcY, int srcW,
                               int srcH, int border);
    // Nine-grid with a border width per side.
    static void DrawImageFrameMID(Canvas& canvas, const Surface& image, const Rect& dest, int srcX, int srcY,
                                  int srcW, int srcH, int left, int top, int right, int bottom);

    static void FillSolidRect(Canvas& canvas, const Rect& rect, uint32_t colorRef);
    // Blends an ARGB colour; alpha 0 draws nothing.
    static void DrawColor(Canvas& canvas, const Rect& rect, uint32_t argb);
    // From `from` to `to` down (vertical) or across; nothing when the average alpha is 0.
    static void DrawGradient(Canvas& canvas, const Rect& rect, uint32_t from, uint32_t to, bool vertical, int steps);

    // Fills a rounded rectangle with circular corners of `radius`.
    static void DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, double radius,
                                  uint32_t fill);
    // The same, filled and then outlined.
    static void DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, double radius, uint32_t pen,
                                  double penWidth, uint32_t fill);
    // Elliptic corners of radii w ÷ divisor ÷ 2 and h ÷ divisor ÷ 2 (both the smaller when they differ
    // by more than 10); filled only when `filled`, then outlined.
    static void DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, float divisor,
                                  uint32_t pen, double penWidth, bool filled, uint32_t fill);

    // Copies `srcRect` of `source` row by row (column by column) with the constant alpha moving
    // linearly from (100 − to) × 255 ÷ 100 to 255 − from × 255 ÷ 100.
    static void DrawVerticalTransition(Canvas& canvas, const Surface& source, const Rect& dstRect,
                                       const Rect& srcRect, int from, int to);
    static void DrawHorizontalTransition(Canvas& canvas, const Surface& source, const Rect& dstRect,
                                         const Rect& srcRect, int from, int to);

    // Draws the text; returns the height drawn, 0 for null text.
    static int DrawTextW(Canvas& canvas, const Rect& rect, const wchar_t* text, const TextFormat& format);

    // Offset that places a w × h item in a boxW × boxH box by the alignment values (h: 1 centre,
    // 2 right; v: 4 centre, 8 bottom; else the start).
    static Point GetOriginPoint(int boxW, int boxH, int w, int h, uint32_t hAlign, uint32_t vAlign);
    // The same inside `box` in absolute coordinates, two pixels lower.
    static Point GetOriginPoint(const Rect& box, int w, int h, uint32_t hAlign, uint32_t vAlign);

    // Pure black (lower 24 bits 0) becomes 1, so it never equals a colour key of 0.
    static void CheckAlphaColor(uint32_t& color);
};

} // namespace Vinto
