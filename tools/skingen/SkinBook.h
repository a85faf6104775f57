#pragma once

#include <string>

// Every file of the dark theme and how it is made: the one place that names the skin's images, their
// sizes and frame counts. Stateless; any thread.
class SkinBook {
public:
    // Writes the whole theme under `folder` (the theme folder, created by the caller with its
    // subfolders device, icon, loading and logo). Returns an empty text on success, else what failed.
    static std::string WriteAll(const std::string& folder);
};
