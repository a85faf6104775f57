#pragma once
// Reading drawn pixels back in tests: channel-wise closeness and the box of pixels that changed.

#include "vinto/platform/Surface.h"

#include <cstdlib>

namespace VintoTest {

// Each channel of two premultiplied pixels within `tolerance`.
inline bool Near(uint32_t actual, uint32_t expected, int tolerance = 2)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return false;
    }
    return true;
}

// The smallest rectangle holding every pixel that is not `background`; empty when none is.
inline Vinto::Rect InkBox(const Vinto::Surface& s, uint32_t background = 0)
{
    Vinto::Rect box{s.Width(), s.Height(), 0, 0};
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != background)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    return box.IsEmpty() ? Vinto::Rect{} : box;
}

} // namespace VintoTest
