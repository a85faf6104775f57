#include "vinto/platform/GifFrameCounter.h"

#include <cstring>

namespace Vinto {

namespace {
// Skips a chain of data sub-blocks (length byte, bytes; a zero length ends it). False when the
// chain runs past the end.
bool SkipSubBlocks(const uint8_t* data, size_t size, size_t& pos)
{
    while (pos < size) {
        const size_t length = data[pos++];
        if (length == 0)
            return true;
        pos += length;
    }
    return false;
}

size_t ColorTableSize(uint8_t packed) { return (packed & 0x80) ? 3u * (2u << (packed & 0x07)) : 0; }
} // namespace

int CountGifFrames(const uint8_t* data, size_t size)
{
    if (size < 13 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0))
        return 0;
    size_t pos = 13 + ColorTableSize(data[10]);
    int frames = 0;
    while (pos < size) {
        const uint8_t block = data[pos++];
        if (block == 0x3B) // trailer
            break;
        if (block == 0x21) { // extension: label, then sub-blocks
            ++pos;
            if (!SkipSubBlocks(data, size, pos))
                break;
        } else if (block == 0x2C) { // image descriptor, local colour table, LZW size, data
            if (pos + 9 > size)
                break;
            pos += 9 + ColorTableSize(data[pos + 8]) + 1;
            if (!SkipSubBlocks(data, size, pos))
                break;
            ++frames;
        } else {
            break;
        }
    }
    return frames;
}

} // namespace Vinto
