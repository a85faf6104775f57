#pragma once
// Drawing on a Surface: fills, blends, gradients, anti-aliased shapes and paths, images with
// scaling and constant alpha, nine-grid images, and text. Colours are straight ARGB (0xAARRGGBB);
// shapes and images blend over what is there, the "Solid" and "Copy" calls replace pixels.
// Thread contract: one thread at a time, the one that owns the surface; text calls on the drawing
// (UI) thread only.

#include "vinto/platform/Geometry.h"
#include "vinto/platform/Path.h"
#include "vinto/platform/Surface.h"
#include "vinto/platform/TextFormat.h"

#include <cairo.h>
#include <memory>
#include <string_view>

namespace Vinto {

struct Pen {
    uint32_t color = 0xFF000000;
    double width = 1;
};

class Canvas {
public:
    explicit Canvas(Surface& target);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Clipping: each push narrows the drawable area until the matching pop.
    void PushClip(const Rect& rect);
    void PopClip();

    // --- Fills
    void FillRect(const Rect& rect, uint32_t argb);        // blends; alpha 0 draws nothing
    void FillSolidRect(const Rect& rect, uint32_t argb);   // sets the pixels to the colour
    void Clear(const Rect& rect);                          // fully transparent
    // From `from` at the top (left) edge to `to` at the bottom (right) edge.
    void FillGradient(const Rect& rect, uint32_t from, uint32_t to, bool vertical);

    // --- Anti-aliased shapes; a 1-pixel pen on integer coordinates plus 0.5 gives crisp lines
    void DrawLine(double x1, double y1, double x2, double y2, const Pen& pen);
    void DrawRectangle(const RectF& rect, const Pen& pen);
    void FillRoundRect(const RectF& rect, double rx, double ry, uint32_t argb);
    void DrawRoundRect(const RectF& rect, double rx, double ry, const Pen& pen);
    void FillEllipse(const RectF& box, uint32_t argb);
    void DrawEllipse(const RectF& box, const Pen& pen);
    // Angles in degrees from the positive x axis, clockwise on screen.
    void DrawArc(const RectF& box, double startDegrees, double sweepDegrees, const Pen& pen);
    void FillPie(const RectF& box, double startDegrees, double sweepDegrees, uint32_t argb);
    void FillPath(const Path& path, uint32_t argb);
    void DrawPath(const Path& path, const Pen& pen);

    // --- Images
    // Draws the `source` part of the image into `dest`, scaled when the sizes differ, blended with
    // a constant alpha (255 = as is).
    void DrawSurface(const Surface& image, const Rect& source, const Rect& dest, uint8_t alpha = 255);
    // Replaces the pixels at `dest` with the `source` part of the image, alpha included.
    void CopySurface(const Surface& image, const Rect& source, Point dest);
    // Nine-grid: corners unscaled, edges stretched along their edge, centre stretched over the
    // rest. Borders wider than half the destination shrink to fit.
    void DrawNineGrid(const Surface& image, const Rect& source, const Rect& dest, int left, int top, int right,
                      int bottom, uint8_t alpha = 255);

    // --- Text
    // Draws the text in `rect` by the format; returns the height of the laid-out text.
    int DrawText(std::wstring_view text, const Rect& rect, const TextFormat& format);
    // The size the text takes; `maxWidth` > 0 wraps (or ellipsises) it as DrawText would in a
    // rectangle of that width.
    static Size MeasureText(std::wstring_view text, const TextFormat& format, int maxWidth = 0);

    cairo_t* Native() { return cr_.get(); }

private:
    struct Destroy {
        void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    };
    void SetColor(uint32_t argb);
    void Stroke(const Pen& pen);
    void AppendPath(const Path& path);
    void AppendArc(const RectF& box, double startDegrees, double sweepDegrees, bool withLine);

    std::unique_ptr<cairo_t, Destroy> cr_;
    int clipDepth_ = 0;
};

} // namespace Vinto
