#pragma once

#include <string>

// The program's icon for the desktop's icon theme: the logo mark as a scalable SVG and as PNGs at the
// sizes menus and docks ask for, laid out as a hicolor theme folder. Stateless; any thread.
class AppIcons {
public:
    static constexpr int kPngSizes[] = {48, 128, 256};

    // Writes scalable/apps/<name>.svg and <n>x<n>/apps/<name>.png for every size under `themeFolder`,
    // creating the folders. Returns an empty text on success, else the relative path that failed.
    static std::string WriteAll(const std::string& themeFolder, const std::string& name);
};
