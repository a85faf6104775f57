#pragma once

#include "support/Pixbuf.h"

#include <glib.h>

#include <memory>
#include <string>
#include <vector>

// Paths of the assets the build staged, and loaders for them, shared by the asset suites.
namespace StagedAssets {

inline std::string Path(const std::string& relative)
{
    return std::string(PELMARO_BINARY_DIR) + "/share/pelmaro/" + relative;
}

inline std::string SkinPath(const std::string& relative) { return Path("skins/theme1/" + relative); }

inline Pixbuf LoadImage(const std::string& path) { return Pixbuf(gdk_pixbuf_new_from_file(path.c_str(), nullptr)); }

// The bytes of columns x .. x + width - 1 of every row, without the row padding.
inline std::vector<guchar> Pixels(const GdkPixbuf* pixbuf, int x, int width)
{
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
    std::vector<guchar> bytes;
    for (int y = 0; y < gdk_pixbuf_get_height(pixbuf); ++y) {
        const guchar* row = data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * channels;
        bytes.insert(bytes.end(), row, row + static_cast<std::size_t>(width) * channels);
    }
    return bytes;
}

inline std::vector<guchar> Pixels(const GdkPixbuf* pixbuf) { return Pixels(pixbuf, 0, gdk_pixbuf_get_width(pixbuf)); }

}  // namespace StagedAssets
