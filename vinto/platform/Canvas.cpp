#include "vinto/platform/Canvas.h"

#include "vinto/platform/FontLibrary.h"
#include "vinto/platform/Utf8.h"

#include <algorithm>
#include <cmath>
#include <pango/pangocairo.h>

namespace Vinto {

namespace {

double Channel(uint32_t argb, int shift) { return ((argb >> shift) & 0xFF) / 255.0; }

struct PatternDestroy {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
struct SurfaceDestroy {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct FontDescriptionFree {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct AttrListUnref {
    void operator()(PangoAttrList* a) const { pango_attr_list_unref(a); }
};
bool IsBounded(const TextFormat& format, int width) { return width > 0 && (format.wrap || format.ellipsis); }

// A pango layout of the text as the format and the available width ask for: wrapped or ellipsised
// to `width` when the format says so, otherwise one unbounded line per paragraph. The layout
// belongs to the font library's cache.
PangoLayout* GetLayout(std::wstring_view text, const TextFormat& format, int width)
{
    FontLibrary& fonts = FontLibrary::Instance();
    const std::string utf8 = WideToUtf8(text);
    const bool bounded = IsBounded(format, width);
    std::string key = utf8;
    key += '\0';
    key += WideToUtf8(format.family);
    key += '\0';
    key += std::to_string(format.pixelSize) + ',' + std::to_string(format.style) + ',' + std::to_string(format.hAlign) + ',' +
           std::to_string(format.wrap) + std::to_string(format.ellipsis) + ',' + std::to_string(bounded ? width : 0);
    if (PangoLayout* cached = fonts.Layouts().Find(key))
        return cached;

    TextLayoutCache::LayoutPtr layout(pango_layout_new(fonts.Context()));
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));

    std::unique_ptr<PangoFontDescription, FontDescriptionFree> font(pango_font_description_new());
    pango_font_description_set_family(font.get(), fonts.ResolveFamily(WideToUtf8(format.family)).c_str());
    pango_font_description_set_absolute_size(font.get(), std::max(1, format.pixelSize) * double(PANGO_SCALE));
    pango_font_description_set_weight(font.get(), (format.style & TextFormat::kBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font.get(), (format.style & TextFormat::kItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), font.get());

    if (format.style & (TextFormat::kUnderline | TextFormat::kStrikeout)) {
        std::unique_ptr<PangoAttrList, AttrListUnref> attrs(pango_attr_list_new());
        if (format.style & TextFormat::kUnderline)
            pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (format.style & TextFormat::kStrikeout)
            pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout.get(), attrs.get());
    }
    if (bounded) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
        if (format.ellipsis)
            pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
        if (format.ellipsis && !format.wrap)
            pango_layout_set_height(layout.get(), -1);
        pango_layout_set_alignment(layout.get(), format.hAlign == TextFormat::kCenter ? PANGO_ALIGN_CENTER
                                                 : format.hAlign == TextFormat::kRight ? PANGO_ALIGN_RIGHT
                                                                                        : PANGO_ALIGN_LEFT);
    }
    return fonts.Layouts().Add(key, std::move(layout));
}

Size LayoutSize(PangoLayout* layout)
{
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return {logical.width, logical.height};
}

} // namespace

Canvas::Canvas(Surface& target) : cr_(cairo_create(target.Native()))
{
    // A quarter-pixel curve tolerance and cairo's faster anti-aliasing look the same on controls of
    // this size and make a full window of shapes take half the time.
    cairo_set_tolerance(cr_.get(), 0.25);
    cairo_set_antialias(cr_.get(), CAIRO_ANTIALIAS_FAST);
}

Canvas::~Canvas() = default;

void Canvas::SetColor(uint32_t argb)
{
    cairo_set_source_rgba(cr_.get(), Channel(argb, 16), Channel(argb, 8), Channel(argb, 0), Channel(argb, 24));
}

void Canvas::PushClip(const Rect& rect)
{
    cairo_save(cr_.get());
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(cr_.get());
    ++clipDepth_;
}

void Canvas::PopClip()
{
    if (clipDepth_ == 0)
        return;
    cairo_restore(cr_.get());
    --clipDepth_;
}

void Canvas::FillRect(const Rect& rect, uint32_t argb)
{
    if ((argb >> 24) == 0 || rect.IsEmpty())
        return;
    SetColor(argb);
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_.get());
}

void Canvas::FillSolidRect(const Rect& rect, uint32_t argb)
{
    if (rect.IsEmpty())
        return;
    cairo_save(cr_.get());
    cairo_set_operator(cr_.get(), CAIRO_OPERATOR_SOURCE);
    SetColor(argb);
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_.get());
    cairo_restore(cr_.get());
}

void Canvas::Clear(const Rect& rect) { FillSolidRect(rect, 0); }

void Canvas::FillGradient(const Rect& rect, uint32_t from, uint32_t to, bool vertical)
{
    if (rect.IsEmpty())
        return;
    std::unique_ptr<cairo_pattern_t, PatternDestroy> gradient(
        vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                 : cairo_pattern_create_linear(rect.left, 0, rect.right, 0));
    for (auto [offset, c] : {std::pair{0.0, from}, std::pair{1.0, to}})
        cairo_pattern_add_color_stop_rgba(gradient.get(), offset, Channel(c, 16), Channel(c, 8), Channel(c, 0), Channel(c, 24));
    cairo_set_source(cr_.get(), gradient.get());
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_.get());
}

void Canvas::Stroke(const Pen& pen)
{
    SetColor(pen.color);
    cairo_set_line_width(cr_.get(), pen.width);
    cairo_stroke(cr_.get());
}

void Canvas::DrawLine(double x1, double y1, double x2, double y2, const Pen& pen)
{
    cairo_move_to(cr_.get(), x1, y1);
    cairo_line_to(cr_.get(), x2, y2);
    Stroke(pen);
}

void Canvas::DrawRectangle(const RectF& r, const Pen& pen)
{
    cairo_rectangle(cr_.get(), r.x, r.y, r.width, r.height);
    Stroke(pen);
}

void Canvas::FillRoundRect(const RectF& rect, double rx, double ry, uint32_t argb)
{
    FillPath(Path().AddRoundRect(rect, rx, ry), argb);
}

void Canvas::DrawRoundRect(const RectF& rect, double rx, double ry, const Pen& pen)
{
    DrawPath(Path().AddRoundRect(rect, rx, ry), pen);
}

void Canvas::AppendArc(const RectF& box, double startDegrees, double sweepDegrees, bool withLine)
{
    if (box.width <= 0 || box.height <= 0)
        return;
    cairo_t* cr = cr_.get();
    const double a1 = startDegrees * M_PI / 180;
    const double a2 = (startDegrees + sweepDegrees) * M_PI / 180;
    if (!withLine)
        cairo_new_sub_path(cr);
    auto arc = sweepDegrees >= 0 ? cairo_arc : cairo_arc_negative;
    // Circular arcs, the common case of rounded corners, need no change of the transformation.
    const bool circular = box.width == box.height;
    if (!circular) {
        cairo_save(cr);
        cairo_translate(cr, box.x + box.width / 2, box.y + box.height / 2);
        cairo_scale(cr, box.width / 2, box.height / 2);
        arc(cr, 0, 0, 1, a1, a2);
        cairo_restore(cr);
    } else {
        arc(cr, box.x + box.width / 2, box.y + box.height / 2, box.width / 2, a1, a2);
    }
}

void Canvas::FillEllipse(const RectF& box, uint32_t argb)
{
    AppendArc(box, 0, 360, false);
    SetColor(argb);
    cairo_fill(cr_.get());
}

void Canvas::DrawEllipse(const RectF& box, const Pen& pen)
{
    AppendArc(box, 0, 360, false);
    cairo_close_path(cr_.get());
    Stroke(pen);
}

void Canvas::DrawArc(const RectF& box, double startDegrees, double sweepDegrees, const Pen& pen)
{
    AppendArc(box, startDegrees, sweepDegrees, false);
    Stroke(pen);
}

void Canvas::FillPie(const RectF& box, double startDegrees, double sweepDegrees, uint32_t argb)
{
    cairo_move_to(cr_.get(), box.x + box.width / 2, box.y + box.height / 2);
    AppendArc(box, startDegrees, sweepDegrees, true);
    cairo_close_path(cr_.get());
    SetColor(argb);
    cairo_fill(cr_.get());
}

void Canvas::AppendPath(const Path& path)
{
    cairo_new_path(cr_.get());
    for (const Path::Step& s : path.Steps()) {
        switch (s.kind) {
        case Path::Step::Kind::Move:
            cairo_move_to(cr_.get(), s.x, s.y);
            break;
        case Path::Step::Kind::Line:
            cairo_line_to(cr_.get(), s.x, s.y);
            break;
        case Path::Step::Kind::Arc:
            AppendArc(s.box, s.start, s.sweep, cairo_has_current_point(cr_.get()));
            break;
        case Path::Step::Kind::Close:
            cairo_close_path(cr_.get());
            break;
        }
    }
}

void Canvas::FillPath(const Path& path, uint32_t argb)
{
    if ((argb >> 24) == 0)
        return;
    AppendPath(path);
    SetColor(argb);
    cairo_fill(cr_.get());
}

void Canvas::DrawPath(const Path& path, const Pen& pen)
{
    AppendPath(path);
    Stroke(pen);
}

void Canvas::DrawSurface(const Surface& image, const Rect& source, const Rect& dest, uint8_t alpha)
{
    const Rect src = source.Intersect(image.Bounds());
    if (!image.IsValid() || src.IsEmpty() || dest.IsEmpty() || alpha == 0)
        return;
    // A sub-surface with padded edges keeps scaled cells from bleeding in their neighbours' pixels.
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> cell(
        cairo_surface_create_for_rectangle(image.Native(), src.left, src.top, src.Width(), src.Height()));
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.Width(), dest.Height());
    cairo_clip(cr);
    cairo_translate(cr, dest.left, dest.top);
    const bool scaled = dest.Width() != src.Width() || dest.Height() != src.Height();
    if (scaled)
        cairo_scale(cr, double(dest.Width()) / src.Width(), double(dest.Height()) / src.Height());
    cairo_set_source_surface(cr, cell.get(), 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, scaled ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    if (alpha == 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, alpha / 255.0);
    cairo_restore(cr);
}

void Canvas::CopySurface(const Surface& image, const Rect& source, Point dest)
{
    const Rect src = source.Intersect(image.Bounds());
    if (!image.IsValid() || src.IsEmpty())
        return;
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image.Native(), dest.x - src.left, dest.y - src.top);
    cairo_rectangle(cr, dest.x, dest.y, src.Width(), src.Height());
    cairo_fill(cr);
    cairo_restore(cr);
}

void Canvas::DrawNineGrid(const Surface& image, const Rect& source, const Rect& dest, int left, int top, int right,
                          int bottom, uint8_t alpha)
{
    if (dest.IsEmpty() || source.IsEmpty())
        return;
    // Shrink borders that do not fit, keeping their proportions.
    auto fit = [](int& a, int& b, int available) {
        if (a + b > available && a + b > 0) {
            const int total = a + b;
            a = a * available / total;
            b = available - a;
        }
    };
    int sl = left, st = top, sr = right, sb = bottom;
    fit(left, right, dest.Width());
    fit(top, bottom, dest.Height());
    const int sx[4] = {source.left, source.left + sl, source.right - sr, source.right};
    const int sy[4] = {source.top, source.top + st, source.bottom - sb, source.bottom};
    const int dx[4] = {dest.left, dest.left + left, dest.right - right, dest.right};
    const int dy[4] = {dest.top, dest.top + top, dest.bottom - bottom, dest.bottom};
    // Order: the left column top to bottom, the middle column, then the right column; the centre last.
    const int order[9][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {1, 1}};
    for (const auto& [col, row] : order) {
        const Rect s{sx[col], sy[row], sx[col + 1], sy[row + 1]};
        const Rect d{dx[col], dy[row], dx[col + 1], dy[row + 1]};
        if (!s.IsEmpty() && !d.IsEmpty())
            DrawSurface(image, s, d, alpha);
    }
}

int Canvas::DrawText(std::wstring_view text, const Rect& rect, const TextFormat& format)
{
    if (text.empty() || (format.color >> 24) == 0)
        return 0;
    PangoLayout* layout = GetLayout(text, format, rect.Width());
    const Size size = LayoutSize(layout);
    // A layout with a width aligns its lines itself; an unbounded one is placed by its size.
    const bool bounded = IsBounded(format, rect.Width());
    int x = rect.left;
    if (!bounded && format.hAlign == TextFormat::kCenter)
        x += (rect.Width() - size.width) / 2;
    else if (!bounded && format.hAlign == TextFormat::kRight)
        x += rect.Width() - size.width;
    int y = rect.top;
    if (format.vAlign == TextFormat::kMiddle)
        y += (rect.Height() - size.height) / 2;
    else if (format.vAlign == TextFormat::kBottom)
        y += rect.Height() - size.height;

    cairo_t* cr = cr_.get();
    cairo_save(cr);
    if (format.clip) {
        cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
        cairo_clip(cr);
    }
    SetColor(format.color);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    return size.height;
}

Size Canvas::MeasureText(std::wstring_view text, const TextFormat& format, int maxWidth)
{
    if (text.empty())
        return {};
    return LayoutSize(GetLayout(text, format, maxWidth));
}

} // namespace Vinto
