#pragma once

#include "SkinPainter.h"

#include <string>

// Renders the skin for a designer's review: the key page and the performance page of the main window
// composed from the skin, the layout file and a language file, then every image of the theme in all its frames at the size
// of the control that shows it, over the window background. Owned by one thread.
class ContactSheet {
public:
    // `assetFolder` is the staged share/pelmaro folder; texts come from its language file `lcid`.
    ContactSheet(std::string assetFolder, std::string lcid);

    // Writes the sheet as a PNG. Returns an empty text on success, else what went wrong.
    std::string Render(const std::string& pngPath);

private:
    std::string Text(int id) const;
    // The window's frame: background, caption buttons, tab strip with `selectedTab` lit, footer.
    void DrawFrame(SkinPainter& paint, cairo_t* cr, int selectedTab);
    void DrawKeyPage(SkinPainter& paint, cairo_t* cr);
    void DrawPerformancePage(SkinPainter& paint, cairo_t* cr);
    // A check or radio button: its glyph frame, then its text in the colour of its state.
    void DrawChoice(SkinPainter& paint, const char* strip, bool checked, const std::string& text,
                    const SkinPainter::Box& box, double pixelSize);
    void DrawCallouts(SkinPainter& paint, cairo_t* cr);
    double DrawCatalogue(SkinPainter& paint, double top);

    std::string folder_;
    std::string lcid_;
};
