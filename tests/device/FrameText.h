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

// The bytes up to the last non-zero one: every byte past the expected text must be 0.
inline std::string TrimmedHexText(std::span<const unsigned char> bytes)
{
    std::size_t used = bytes.size();
    while (used > 0 && bytes[used - 1] == 0)
        --used;
    return HexText(bytes.first(used));
}

inline std::string FrameText(const CommandFrame& frame)
{
    return TrimmedHexText(frame);
}
