#pragma once

#include <cstdint>

// A straight (not premultiplied) colour with components in 0..1, as cairo's source colours take them.
// Plain value type; any thread.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;

    static constexpr Rgba Hex(std::uint32_t rgb, double alpha = 1.0)
    {
        return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
    }

    constexpr Rgba WithAlpha(double alpha) const { return {r, g, b, alpha}; }

    // Mixes towards `other` by `t` (0 keeps this colour, 1 gives `other`).
    constexpr Rgba Mix(const Rgba& other, double t) const
    {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t};
    }
};
