#pragma once
// An off-screen ARGB32 picture (premultiplied alpha, 0xAARRGGBB per pixel, rows top-down): what a
// window paints into, what images decode to, and what tests read back.
// Thread contract: not synchronised; one thread at a time.

#include "vinto/platform/Geometry.h"

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <string>

namespace Vinto {

class Surface {
public:
    Surface() = default;
    // A transparent surface; a non-positive size gives an invalid one.
    Surface(int width, int height);

    bool IsValid() const { return surface_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    // Premultiplied pixel; 0 outside the surface.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t premultiplied);
    // Direct access to the rows (stride in bytes); call MarkDirty after writing through it.
    uint32_t* Row(int y);
    const uint32_t* Row(int y) const;
    void MarkDirty();

    Surface Clone() const;
    bool SavePng(const std::string& utf8Path) const;

    cairo_surface_t* Native() const { return surface_.get(); }

private:
    struct Deleter {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    std::unique_ptr<cairo_surface_t, Deleter> surface_;
    int width_ = 0;
    int height_ = 0;
};

// Straight (non-premultiplied) 0xAARRGGBB to the premultiplied form surfaces store, and back.
uint32_t Premultiply(uint32_t argb);
uint32_t Unpremultiply(uint32_t premultiplied);

} // namespace Vinto
