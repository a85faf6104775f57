#pragma once

#include "Rgba.h"
#include "Surface.h"

#include <vector>

// Frames of the two waiting animations, drawn in the accent over an opaque background so that a GIF
// palette of blends between the two holds them without loss. Stateless; any thread.
class LoadingArt {
public:
    static constexpr Rgba kBackground = Rgba::Hex(0x333333);

    // A ring of dots whose brightness runs around the circle; one full turn over `frames` frames.
    static std::vector<Surface> Spinner(int size, int frames);
    // A row of bars rising and falling in a wave.
    static std::vector<Surface> Wave(int width, int height, int frames);
};
