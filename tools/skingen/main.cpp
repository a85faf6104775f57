// skingen: draws the dark theme of the skin.
//   skingen THEME_FOLDER [STAMP_FILE]
// writes every image of the theme under THEME_FOLDER (creating it and its subfolders), then touches
// STAMP_FILE so the build knows the theme is complete.
#include "SkinBook.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: skingen THEME_FOLDER [STAMP_FILE]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    for (const char* sub : {"device", "icon", "loading", "logo"}) {
        std::filesystem::create_directories(folder / sub, error);
        if (error) {
            std::cerr << "skingen: cannot create " << (folder / sub).string() << ": " << error.message() << "\n";
            return 1;
        }
    }
    const std::string failed = SkinBook::WriteAll(folder.string());
    if (!failed.empty()) {
        std::cerr << "skingen: cannot write " << (folder / failed).string() << "\n";
        return 1;
    }
    if (argc == 3 && !std::ofstream(argv[2], std::ios::trunc)) {
        std::cerr << "skingen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
