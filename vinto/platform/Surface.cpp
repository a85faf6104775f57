#include "vinto/platform/Surface.h"

namespace Vinto {

Surface::Surface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return;
    }
    surface_.reset(s);
    width_ = width;
    height_ = height;
}

const uint32_t* Surface::Row(int y) const
{
    cairo_surface_flush(surface_.get());
    unsigned char* data = cairo_image_surface_get_data(surface_.get());
    return reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_.get()));
}

uint32_t* Surface::Row(int y) { return const_cast<uint32_t*>(static_cast<const Surface*>(this)->Row(y)); }

void Surface::MarkDirty()
{
    if (surface_)
        cairo_surface_mark_dirty(surface_.get());
}

uint32_t Surface::Pixel(int x, int y) const
{
    if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return Row(y)[x];
}

void Surface::SetPixel(int x, int y, uint32_t premultiplied)
{
    if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    Row(y)[x] = premultiplied;
    MarkDirty();
}

Surface Surface::Clone() const
{
    Surface copy(width_, height_);
    if (!copy.IsValid())
        return copy;
    for (int y = 0; y < height_; ++y)
        std::copy(Row(y), Row(y) + width_, copy.Row(y));
    copy.MarkDirty();
    return copy;
}

bool Surface::SavePng(const std::string& utf8Path) const
{
    return surface_ && cairo_surface_write_to_png(surface_.get(), utf8Path.c_str()) == CAIRO_STATUS_SUCCESS;
}

uint32_t Premultiply(uint32_t argb)
{
    const uint32_t a = argb >> 24;
    auto channel = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) | channel(argb & 0xFF);
}

uint32_t Unpremultiply(uint32_t premultiplied)
{
    const uint32_t a = premultiplied >> 24;
    if (a == 0)
        return 0;
    auto channel = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (channel((premultiplied >> 16) & 0xFF) << 16) | (channel((premultiplied >> 8) & 0xFF) << 8) |
           channel(premultiplied & 0xFF);
}

} // namespace Vinto
