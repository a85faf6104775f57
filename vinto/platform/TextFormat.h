#pragma once
// How a piece of text is drawn: font family, pixel size, style bits, colour, alignment in its
// rectangle, wrapping, ellipsis and clipping.
// Thread contract: a plain value.

#include <cstdint>
#include <string>

namespace Vinto {

struct TextFormat {
    // Style bits, as the toolkit's controls store them.
    static constexpr uint32_t kBold = 1;
    static constexpr uint32_t kItalic = 2;
    static constexpr uint32_t kUnderline = 4;
    static constexpr uint32_t kStrikeout = 8;
    // Horizontal alignment values.
    static constexpr int kLeft = 0;
    static constexpr int kCenter = 1;
    static constexpr int kRight = 2;
    // Vertical alignment values.
    static constexpr int kTop = 0;
    static constexpr int kMiddle = 4;
    static constexpr int kBottom = 8;

    std::wstring family = L"Open Sans";
    int pixelSize = 16;
    uint32_t style = 0;
    uint32_t color = 0xFFFFFFFF;   // straight ARGB
    int hAlign = kLeft;
    int vAlign = kTop;
    bool wrap = false;       // break lines at words to fit the width
    bool ellipsis = false;   // end a line that does not fit with "…"
    bool clip = true;        // nothing is drawn outside the rectangle
};

} // namespace Vinto
