// contactsheet: renders the staged skin for review.
//   contactsheet ASSET_FOLDER OUT.png
// ASSET_FOLDER is the staged share/pelmaro folder of a build tree.
#include "ContactSheet.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: contactsheet ASSET_FOLDER OUT.png\n";
        return 2;
    }
    const std::string error = ContactSheet(argv[1]).Render(argv[2]);
    if (!error.empty()) {
        std::cerr << "contactsheet: " << error << "\n";
        return 1;
    }
    return 0;
}
