#include "AppIcons.h"

#include "PanelArt.h"

#include <cairo-svg.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace {

// The SVG's nominal size; desktops scale it freely.
constexpr int kSvgSize = 256;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};

bool WriteSvg(const std::string& path)
{
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_svg_surface_create(path.c_str(), kSvgSize, kSvgSize));
    // Pixels, not points: icon themes read the size from the document.
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    {
        std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
        PanelArt::DrawMark(cr.get(), 0, 0, kSvgSize);
    }
    // The file is complete only once the surface is finished; its status then tells whether it was.
    cairo_surface_finish(surface.get());
    return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

bool MakeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error;
}

}  // namespace

std::string AppIcons::WriteAll(const std::string& themeFolder, const std::string& name)
{
    const std::filesystem::path root = themeFolder;
    const std::string svg = "scalable/apps/" + name + ".svg";
    if (!MakeFolder((root / svg).parent_path()) || !WriteSvg((root / svg).string())) {
        return svg;
    }
    for (const int size : kPngSizes) {
        const std::string png = std::to_string(size) + "x" + std::to_string(size) + "/apps/" + name + ".png";
        if (!MakeFolder((root / png).parent_path()) || !PanelArt::LogoMark(size, size).WritePng((root / png).string())) {
            return png;
        }
    }
    return {};
}
