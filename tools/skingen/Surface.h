#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

// An ARGB32 cairo image surface with its drawing context, sized in whole pixels. Frame strips are
// drawn one frame at a time through BeginFrame/EndFrame, which move the origin to the frame's left
// edge and clip to it. Owned by one thread at a time.
class Surface {
public:
    Surface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_t* Cr() const { return cr_.get(); }
    cairo_surface_t* Raw() const { return surface_.get(); }

    // Frame `index` of a strip whose frames are `frameWidth` pixels wide.
    void BeginFrame(int index, int frameWidth);
    void EndFrame();

    // Straight (unpremultiplied) RGBA of one pixel; used by the GIF and icon writers and by tests.
    std::uint32_t PixelArgb(int x, int y) const;

    bool WritePng(const std::string& path) const;

private:
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
