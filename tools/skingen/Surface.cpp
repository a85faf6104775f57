#include "Surface.h"

Surface::Surface(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_.get()))
{
}

Surface Surface::Strip(int frameWidth, int frameHeight, int frames,
                       const std::function<void(cairo_t* cr, int frame)>& draw)
{
    Surface s(frameWidth * frames, frameHeight);
    for (int i = 0; i < frames; ++i) {
        s.BeginFrame(i, frameWidth);
        draw(s.Cr(), i);
        s.EndFrame();
    }
    return s;
}

void Surface::BeginFrame(int index, int frameWidth)
{
    cairo_save(Cr());
    cairo_translate(Cr(), index * frameWidth, 0);
    cairo_rectangle(Cr(), 0, 0, frameWidth, height_);
    cairo_clip(Cr());
}

void Surface::EndFrame() { cairo_restore(Cr()); }

std::uint32_t Surface::PixelArgb(int x, int y) const
{
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    const std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    const std::uint32_t a = p >> 24;
    if (a == 0) {
        return 0;
    }
    // cairo keeps premultiplied components; undo that with rounding.
    auto unmul = [a](std::uint32_t c) { return (c * 255 + a / 2) / a; };
    return (a << 24) | (unmul((p >> 16) & 0xFF) << 16) | (unmul((p >> 8) & 0xFF) << 8) | unmul(p & 0xFF);
}

bool Surface::WritePng(const std::string& path) const
{
    cairo_surface_flush(surface_.get());
    return cairo_surface_write_to_png(surface_.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
