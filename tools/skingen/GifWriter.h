#pragma once

#include "Surface.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes opaque frames as a looping GIF89a animation. Each pixel takes the nearest colour of the
// given palette (at most 256 RGB values, 0xRRGGBB), so output is exact for frames drawn in those
// colours and deterministic for any frames. Stateless; any thread.
class GifWriter {
public:
    static bool Write(const std::string& path, const std::vector<Surface>& frames, int delayCentiseconds,
                      const std::vector<std::uint32_t>& palette);
};
