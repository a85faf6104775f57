#pragma once
// Images read back through gdk-pixbuf, the desktop's own loaders, for suites that check what was drawn
// or staged. Header only, so the support library needs no gdk-pixbuf: the suites that include it link it.
// Thread contract: no shared state; each image belongs to the thread that loaded it.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <memory>

// Drops one reference of any GObject: images, animations and their iterators.
struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, GObjectUnref>;

// Straight ARGB of one pixel, alpha in the top byte (0xFF for images without alpha).
inline std::uint32_t PixelAt(const GdkPixbuf* pixbuf, int x, int y)
{
    const guchar* p = gdk_pixbuf_read_pixels(pixbuf) + y * gdk_pixbuf_get_rowstride(pixbuf) +
                      x * gdk_pixbuf_get_n_channels(pixbuf);
    const std::uint32_t alpha = gdk_pixbuf_get_has_alpha(pixbuf) ? p[3] : 0xFF;
    return (alpha << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
}
