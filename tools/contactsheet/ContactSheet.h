#pragma once

#include "SkinPainter.h"

#include <string>

// Renders the skin for a designer's review: the key page of the main window composed from the skin,
// the layout file and the English texts, then every image of the theme in all its frames at the size
// of the control that shows it, over the window background. Owned by one thread.
class ContactSheet {
public:
    // `assetFolder` is the staged share/pelmaro folder.
    explicit ContactSheet(std::string assetFolder);

    // Writes the sheet as a PNG. Returns an empty text on success, else what went wrong.
    std::string Render(const std::string& pngPath);

private:
    std::string Text(int id) const;
    void DrawWindow(SkinPainter& paint, cairo_t* cr);
    void DrawCallouts(SkinPainter& paint, cairo_t* cr);
    double DrawCatalogue(SkinPainter& paint, double top);

    std::string folder_;
};
