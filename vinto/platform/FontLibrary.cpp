#include "vinto/platform/FontLibrary.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <map>

namespace Vinto {

namespace {
struct GObjectUnref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
struct FontOptionsDestroy {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};
struct PatternDestroy {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDestroy {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetDestroy {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

const char* const kFallbacks[] = {"Open Sans", "DejaVu Sans"};
} // namespace

struct FontLibrary::Impl {
    std::unique_ptr<PangoFontMap, GObjectUnref> fontMap{pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT)};
    std::unique_ptr<PangoContext, GObjectUnref> context{pango_font_map_create_context(fontMap.get())};
    std::map<std::string, std::string> resolved;
    TextLayoutCache layouts{1024};
};

FontLibrary& FontLibrary::Instance()
{
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() : impl_(std::make_unique<Impl>())
{
    // Grey anti-aliasing without hinting: the same glyph shapes on every desktop and on surfaces
    // with an alpha channel, where sub-pixel colour fringes would show.
    std::unique_ptr<cairo_font_options_t, FontOptionsDestroy> options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(impl_->context.get(), options.get());
    pango_cairo_context_set_resolution(impl_->context.get(), 96);
}

FontLibrary::~FontLibrary() = default;

bool FontLibrary::AddFontFile(const std::string& utf8Path)
{
    FcConfig* config = FcConfigGetCurrent();
    if (!config)
        return false;
    // Only a file that holds at least one face counts.
    int faces = 0;
    std::unique_ptr<FcPattern, PatternDestroy> face(
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(utf8Path.c_str()), 0, nullptr, &faces));
    if (!face || !FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(utf8Path.c_str())))
        return false;
    pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(impl_->fontMap.get()));
    pango_context_changed(impl_->context.get());
    impl_->resolved.clear();
    impl_->layouts.Clear();
    return true;
}

bool FontLibrary::HasFamily(const std::string& family)
{
    std::unique_ptr<FcPattern, PatternDestroy> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    std::unique_ptr<FcObjectSet, ObjectSetDestroy> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    std::unique_ptr<FcFontSet, FontSetDestroy> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    return fonts && fonts->nfont > 0;
}

std::string FontLibrary::ResolveFamily(const std::string& family)
{
    auto it = impl_->resolved.find(family);
    if (it != impl_->resolved.end())
        return it->second;
    std::string result = family;
    if (!HasFamily(family)) {
        result = kFallbacks[std::size(kFallbacks) - 1];
        for (const char* fallback : kFallbacks) {
            if (HasFamily(fallback)) {
                result = fallback;
                break;
            }
        }
    }
    impl_->resolved.emplace(family, result);
    return result;
}

PangoContext* FontLibrary::Context() { return impl_->context.get(); }

TextLayoutCache& FontLibrary::Layouts() { return impl_->layouts; }

} // namespace Vinto
