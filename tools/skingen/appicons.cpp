// appicons: draws the program's icon for the desktop's icon theme.
//   appicons THEME_FOLDER ICON_NAME [STAMP_FILE]
// writes the icon in every size under THEME_FOLDER (a hicolor layout), then touches STAMP_FILE so the
// build knows the set is complete.
#include "AppIcons.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: appicons THEME_FOLDER ICON_NAME [STAMP_FILE]\n";
        return 2;
    }
    const std::string failed = AppIcons::WriteAll(argv[1], argv[2]);
    if (!failed.empty()) {
        std::cerr << "appicons: cannot write " << argv[1] << "/" << failed << "\n";
        return 1;
    }
    if (argc == 4 && !std::ofstream(argv[3], std::ios::trunc)) {
        std::cerr << "appicons: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
