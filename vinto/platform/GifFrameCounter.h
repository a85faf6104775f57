#pragma once
// Counts the frames of a GIF by walking its block structure, which gdk-pixbuf's animation iterator
// does not tell. Malformed or truncated data counts the frames complete before the fault.
// Thread contract: a pure function.

#include <cstddef>
#include <cstdint>

namespace Vinto {

// 0 when the data is not a GIF.
int CountGifFrames(const uint8_t* data, size_t size);

} // namespace Vinto
