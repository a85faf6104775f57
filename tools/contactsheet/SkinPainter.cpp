#include "SkinPainter.h"

#include <pango/pangocairo.h>

#include <utility>

SkinPainter::SkinPainter(cairo_t* cr, std::string themeFolder) : cr_(cr), folder_(std::move(themeFolder)) {}

cairo_surface_t* SkinPainter::Load(const std::string& file)
{
    auto found = images_.find(file);
    if (found == images_.end()) {
        Image image(cairo_image_surface_create_from_png((folder_ + "/" + file).c_str()));
        if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
            if (missing_.empty()) {
                missing_ = file;
            }
            image.reset();
        }
        found = images_.emplace(file, std::move(image)).first;
    }
    return found->second.get();
}

bool SkinPainter::Has(const std::string& file) { return Load(file) != nullptr; }

int SkinPainter::FrameWidth(const std::string& file, int frames)
{
    cairo_surface_t* image = Load(file);
    return image ? cairo_image_surface_get_width(image) / frames : 0;
}

int SkinPainter::Height(const std::string& file)
{
    cairo_surface_t* image = Load(file);
    return image ? cairo_image_surface_get_height(image) : 0;
}

void SkinPainter::Cell(cairo_surface_t* image, double sx, double sy, double sw, double sh, const Box& dest)
{
    if (sw <= 0 || sh <= 0 || dest.w <= 0 || dest.h <= 0) {
        return;
    }
    cairo_save(cr_);
    cairo_rectangle(cr_, dest.x, dest.y, dest.w, dest.h);
    cairo_clip(cr_);
    cairo_translate(cr_, dest.x, dest.y);
    cairo_scale(cr_, dest.w / sw, dest.h / sh);
    cairo_set_source_surface(cr_, image, -sx, -sy);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BILINEAR);
    // Pad only the cell itself, not its neighbours in the strip.
    cairo_rectangle(cr_, 0, 0, sw, sh);
    cairo_clip(cr_);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void SkinPainter::Frame(const std::string& file, int frames, int index, double x, double y)
{
    cairo_surface_t* image = Load(file);
    if (!image) {
        return;
    }
    const int w = FrameWidth(file, frames);
    const int h = Height(file);
    Cell(image, index * w, 0, w, h, {x, y, static_cast<double>(w), static_cast<double>(h)});
}

void SkinPainter::Stretch(const std::string& file, int frames, int index, const Box& dest)
{
    cairo_surface_t* image = Load(file);
    if (!image) {
        return;
    }
    const int w = FrameWidth(file, frames);
    Cell(image, index * w, 0, w, Height(file), dest);
}

void SkinPainter::NineGrid(const std::string& file, int frames, int index, const Box& d, const Borders& b)
{
    cairo_surface_t* image = Load(file);
    if (!image) {
        return;
    }
    const double w = FrameWidth(file, frames);
    const double h = Height(file);
    const double x0 = index * w;
    const double sx[3] = {x0, x0 + b.left, x0 + w - b.right};
    const double sw[3] = {static_cast<double>(b.left), w - b.left - b.right, static_cast<double>(b.right)};
    const double sy[3] = {0, static_cast<double>(b.top), h - b.bottom};
    const double sh[3] = {static_cast<double>(b.top), h - b.top - b.bottom, static_cast<double>(b.bottom)};
    const double dx[3] = {d.x, d.x + b.left, d.x + d.w - b.right};
    const double dw[3] = {static_cast<double>(b.left), d.w - b.left - b.right, static_cast<double>(b.right)};
    const double dy[3] = {d.y, d.y + b.top, d.y + d.h - b.bottom};
    const double dh[3] = {static_cast<double>(b.top), d.h - b.top - b.bottom, static_cast<double>(b.bottom)};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            Cell(image, sx[col], sy[row], sw[col], sh[row], {dx[col], dy[row], dw[col], dh[row]});
        }
    }
}

void SkinPainter::Text(const std::string& text, const Box& box, double pixelSize, std::uint32_t rgb, Align align,
                       bool bold)
{
    std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout(pango_cairo_create_layout(cr_), g_object_unref);
    std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)> font(
        pango_font_description_from_string("Open Sans"), pango_font_description_free);
    pango_font_description_set_absolute_size(font.get(), pixelSize * PANGO_SCALE);
    pango_font_description_set_weight(font.get(), bold ? PANGO_WEIGHT_SEMIBOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    pango_layout_set_width(layout.get(), static_cast<int>(box.w * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
    pango_layout_set_alignment(layout.get(), align == Align::Left     ? PANGO_ALIGN_LEFT
                                             : align == Align::Centre ? PANGO_ALIGN_CENTER
                                                                      : PANGO_ALIGN_RIGHT);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout.get(), &width, &height);
    cairo_save(cr_);
    cairo_set_source_rgb(cr_, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_move_to(cr_, box.x, box.y + (box.h - height) / 2);
    pango_cairo_show_layout(cr_, layout.get());
    cairo_restore(cr_);
}
