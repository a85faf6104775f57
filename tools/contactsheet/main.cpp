// contactsheet: renders the staged skin for review.
//   contactsheet ASSET_FOLDER OUT.png [LCID]
// ASSET_FOLDER is the staged share/pelmaro folder of a build tree; LCID picks the language file
// (1033 English, the default, or 1049 Russian).
#include "ContactSheet.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <iostream>

namespace {

// Empties the font caches that text drawing filled, so leak checkers see only real leaks.
void ReleaseFontCaches()
{
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: contactsheet ASSET_FOLDER OUT.png [LCID]\n";
        return 2;
    }
    const std::string error = ContactSheet(argv[1], argc == 4 ? argv[3] : "1033").Render(argv[2]);
    ReleaseFontCaches();
    if (!error.empty()) {
        std::cerr << "contactsheet: " << error << "\n";
        return 1;
    }
    return 0;
}
