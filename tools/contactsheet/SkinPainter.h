#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// Draws skin images the way the toolkit's controls show them: one frame of a strip, at its natural
// size or stretched as a nine-grid, and text with pango. Images are loaded once from the theme folder.
// Owned by one thread.
class SkinPainter {
public:
    struct Box {
        double x, y, w, h;
    };
    struct Borders {
        int left, top, right, bottom;
    };

    SkinPainter(cairo_t* cr, std::string themeFolder);

    // False when the file is missing or not a PNG; the first failure's name is kept in MissingImage.
    bool Has(const std::string& file);
    int FrameWidth(const std::string& file, int frames);
    int Height(const std::string& file);

    void Frame(const std::string& file, int frames, int index, double x, double y);
    void NineGrid(const std::string& file, int frames, int index, const Box& dest, const Borders& borders);
    // The frame stretched over `dest` as a whole.
    void Stretch(const std::string& file, int frames, int index, const Box& dest);

    enum class Align { Left, Centre, Right };
    void Text(const std::string& text, const Box& box, double pixelSize, std::uint32_t rgb, Align align,
              bool bold = false);

    const std::string& MissingImage() const { return missing_; }

private:
    struct SurfaceDeleter {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    using Image = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

    cairo_surface_t* Load(const std::string& file);
    void Cell(cairo_surface_t* image, double sx, double sy, double sw, double sh, const Box& dest);

    cairo_t* cr_;
    std::string folder_;
    std::map<std::string, Image> images_;
    std::string missing_;
};
