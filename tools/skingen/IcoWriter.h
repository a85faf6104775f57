#pragma once

#include "Surface.h"

#include <string>
#include <vector>

// Writes square images of different sizes (at most 256 pixels) as one Windows icon file with 32-bit
// entries, the form every icon reader accepts. Stateless; any thread.
class IcoWriter {
public:
    static bool Write(const std::string& path, const std::vector<Surface>& images);
};
