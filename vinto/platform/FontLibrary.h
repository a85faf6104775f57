#pragma once
// The fonts text is drawn with: installed fonts found through fontconfig, plus private font files
// the program adds (before or after the first text is drawn). A family that does not exist falls
// back to "Open Sans", then "DejaVu Sans", so unknown names give the same, predictable face.
// Thread contract: the drawing (UI) thread only.

#include "vinto/platform/TextLayoutCache.h"

#include <pango/pango.h>

#include <memory>
#include <string>

namespace Vinto {

class FontLibrary {
public:
    static FontLibrary& Instance();

    // Makes the faces of a font file available by their family names; false when the file is not
    // a font fontconfig can read.
    bool AddFontFile(const std::string& utf8Path);
    // Whether fontconfig has a face of exactly this family (case-insensitive).
    bool HasFamily(const std::string& family);
    // The family text is drawn with when `family` is asked for.
    std::string ResolveFamily(const std::string& family);

    // The shared context layouts are made from.
    PangoContext* Context();
    // Layouts made recently; emptied when the fonts change.
    TextLayoutCache& Layouts();

    ~FontLibrary();

private:
    FontLibrary();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace Vinto
