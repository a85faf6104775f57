#pragma once
// Frames and areas as hex text ("0C 63 10 ..."), so expected bytes read like the protocol tables and a
// failure shows exactly which byte differs.

#include "device/CommandFrame.h"

#include <cstdio>
#include <span>
#include <string>

inline std::string HexText(std::span<const unsigned char> bytes)
{
    std::string text;
    for (unsigned char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%s%02X", text.empty() ? "" : " ", byte);
        text += hex;
    }
    return text;
}

// The frame up to its last non-zero byte: every byte past the expected text must be 0.
inline std::string FrameText(const CommandFrame& frame)
{
    std::size_t used = frame.size();
    while (used > 0 && frame[used - 1] == 0)
        --used;
    return HexText(std::span(frame).first(used));
}
