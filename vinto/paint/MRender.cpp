#include "vinto/paint/MRender.h"

#include "vinto/paint/Manager.h"

#include <algorithm>
#include <cmath>

namespace Vinto {

std::unique_ptr<Image> MRender::LoadImageFromFile(const std::string& utf8Path) { return Image::LoadFile(utf8Path); }

void MRender::DrawImageFrame(Canvas& canvas, const Surface& image, const Rect& dest, int srcX, int srcY, int srcW,
                             int srcH, int border)
{
    DrawImageFrameMID(canvas, image, dest, srcX, srcY, srcW, srcH, border, border, border, border);
}

void MRender::DrawImageFrameMID(Canvas& canvas, const Surface& image, const Rect& dest, int srcX, int srcY, int srcW,
                                int srcH, int left, int top, int right, int bottom)
{
    canvas.DrawNineGrid(image, Rect::FromSize(srcX, srcY, srcW, srcH), dest, left, top, right, bottom);
}

void MRender::FillSolidRect(Canvas& canvas, const Rect& rect, uint32_t colorRef)
{
    canvas.FillSolidRect(rect, ColorRefToArgb(colorRef));
}

void MRender::DrawColor(Canvas& canvas, const Rect& rect, uint32_t argb)
{
    if ((argb >> 24) != 0)
        canvas.FillRect(rect, argb);
}

void MRender::DrawGradient(Canvas& canvas, const Rect& rect, uint32_t from, uint32_t to, bool vertical, int)
{
    if (((from >> 24) + (to >> 24)) / 2 == 0)
        return;
    canvas.FillGradient(rect, from, to, vertical);
}

void MRender::DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, double radius, uint32_t fill)
{
    Path path;
    path.AddRoundRect({x, y, w, h}, radius, radius);
    canvas.FillPath(path, fill);
}

void MRender::DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, double radius, uint32_t pen,
                                double penWidth, uint32_t fill)
{
    Path path;
    path.AddRoundRect({x, y, w, h}, radius, radius);
    canvas.FillPath(path, fill);
    canvas.DrawPath(path, {pen, penWidth});
}

void MRender::DrawRoundRectange(Canvas& canvas, double x, double y, double w, double h, float divisor, uint32_t pen,
                                double penWidth, bool filled, uint32_t fill)
{
    if (divisor == 0)
        return;
    double rx = w / divisor / 2;
    double ry = h / divisor / 2;
    if (std::abs(rx - ry) > 10)
        rx = ry = std::min(rx, ry);
    Path path;
    path.AddRoundRect({x, y, w, h}, rx, ry);
    if (filled)
        canvas.FillPath(path, fill);
    canvas.DrawPath(path, {pen, penWidth});
}

namespace {

// The constant alpha of band `i` of `count`, moving linearly between the two ends.
uint8_t BandAlpha(int i, int count, int from, int to)
{
    const int start = (100 - to) * 255 / 100;
    const int end = 255 - from * 255 / 100;
    const int a = count <= 1 ? start : start + (end - start) * i / (count - 1);
    return static_cast<uint8_t>(std::clamp(a, 0, 255));
}

} // namespace

void MRender::DrawVerticalTransition(Canvas& canvas, const Surface& source, const Rect& dstRect, const Rect& srcRect,
                                     int from, int to)
{
    const int rows = std::min(dstRect.Height(), srcRect.Height());
    for (int i = 0; i < rows; ++i)
        canvas.DrawSurface(source, {srcRect.left, srcRect.top + i, srcRect.right, srcRect.top + i + 1},
                           {dstRect.left, dstRect.top + i, dstRect.right, dstRect.top + i + 1},
                           BandAlpha(i, rows, from, to));
}

void MRender::DrawHorizontalTransition(Canvas& canvas, const Surface& source, const Rect& dstRect,
                                       const Rect& srcRect, int from, int to)
{
    const int columns = std::min(dstRect.Width(), srcRect.Width());
    for (int i = 0; i < columns; ++i)
        canvas.DrawSurface(source, {srcRect.left + i, srcRect.top, srcRect.left + i + 1, srcRect.bottom},
                           {dstRect.left + i, dstRect.top, dstRect.left + i + 1, dstRect.bottom},
                           BandAlpha(i, columns, from, to));
}

int MRender::DrawTextW(Canvas& canvas, const Rect& rect, const wchar_t* text, const TextFormat& format)
{
    return text == nullptr ? 0 : canvas.DrawText(text, rect, format);
}

Point MRender::GetOriginPoint(int boxW, int boxH, int w, int h, uint32_t hAlign, uint32_t vAlign)
{
    const int x = hAlign == 1 ? (boxW - w) / 2 : hAlign == 2 ? boxW - w : 0;
    const int y = vAlign == 4 ? (boxH - h) / 2 : vAlign == 8 ? boxH - h : 0;
    return {x, y};
}

Point MRender::GetOriginPoint(const Rect& box, int w, int h, uint32_t hAlign, uint32_t vAlign)
{
    const Point offset = GetOriginPoint(box.Width(), box.Height(), w, h, hAlign, vAlign);
    return {box.left + offset.x, box.top + offset.y + 2};
}

void MRender::CheckAlphaColor(uint32_t& color)
{
    if ((color & 0x00FFFFFF) == 0)
        color += 1;
}

} // namespace Vinto
