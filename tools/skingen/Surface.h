#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// An ARGB32 cairo image surface with its drawing context, sized in whole pixels. Owned by one thread
// at a time.
class Surface {
public:
    Surface(int width, int height);

    // A strip of `frames` frames side by side, each drawn by `draw` with the origin at the frame's
    // left edge and drawing clipped to it.
    static Surface Strip(int frameWidth, int frameHeight, int frames,
                         const std::function<void(cairo_t* cr, int frame)>& draw);

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_t* Cr() const { return cr_.get(); }
    cairo_surface_t* Raw() const { return surface_.get(); }

    // Straight (unpremultiplied) RGBA of one pixel; used by the GIF and icon writers and by tests.
    std::uint32_t PixelArgb(int x, int y) const;

    bool WritePng(const std::string& path) const;

private:
    // Frame `index` of a strip whose frames are `frameWidth` pixels wide.
    void BeginFrame(int index, int frameWidth);
    void EndFrame();

    struct SurfaceDeleter {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct ContextDeleter {
        void operator()(cairo_t* c) const { cairo_destroy(c); }
    };

    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, ContextDeleter> cr_;
};
