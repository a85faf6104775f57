#include "ControlArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <algorithm>

namespace {

constexpr int kStates = 4;

struct FaceColours {
    Rgba top, bottom, edge;
};

FaceColours ButtonFace(int state)
{
    switch (state) {
    case 1: return {Theme::kFaceHover, Theme::kFace, Theme::kAccent.WithAlpha(0.55)};
    case 2: return {Theme::kAccentDeep.Mix(Theme::kFace, 0.72), Theme::kAccentDeep.Mix(Theme::kFace, 0.62),
                    Theme::kAccent};
    case 3: return {Theme::kFaceDisabled, Theme::kFaceDisabled, Theme::kEdgeDisabled};
    default: return {Theme::kFace.Mix(Theme::kFaceHover, 0.4), Theme::kFace.Mix(Theme::kField, 0.25),
                     Theme::kFaceEdge};
    }
}

Rgba GlyphColour(int state)
{
    switch (state) {
    case 1: return Theme::kGlyphHover;
    case 2: return Theme::kAccent;
    case 3: return Theme::kGlyphDisabled;
    default: return Theme::kGlyph;
    }
}

void DrawFace(cairo_t* cr, int w, int h, const FaceColours& c)
{
    Shapes::RoundRect(cr, 0, 0, w, h, 5);
    Shapes::FillVertical(cr, 0, h, c.top, c.bottom);
    Shapes::RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 4.5);
    Shapes::Stroke(cr, c.edge, 1);
}

void DrawGlyph(cairo_t* cr, double x, double y, double size, Glyphs::Draw glyph, const Rgba& colour)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    Shapes::SetColour(cr, colour);
    cairo_set_line_width(cr, std::max(1.2, size / 12.0));
    glyph(cr, size);
    cairo_restore(cr);
}

}  // namespace

Surface ControlArt::Button(int frameWidth, int frameHeight)
{
    return Surface::Strip(frameWidth, frameHeight, kStates, [&](cairo_t* cr, int state) {
        DrawFace(cr, frameWidth, frameHeight, ButtonFace(state));
    });
}

Surface ControlArt::Toggle(int frameWidth, int frameHeight)
{
    return Surface::Strip(frameWidth, frameHeight, kStates, [&](cairo_t* cr, int state) {
        const FaceColours on = {Theme::kAccentDeep.Mix(Theme::kFace, 0.35), Theme::kAccentDeep.Mix(Theme::kFace, 0.5),
                                Theme::kAccent};
        DrawFace(cr, frameWidth, frameHeight, state == 2 ? on : ButtonFace(state));
    });
}

Surface ControlArt::Combo(int frameWidth, int frameHeight)
{
    return Surface::Strip(frameWidth, frameHeight, kStates, [&](cairo_t* cr, int state) {
        const Rgba edge = state == 0 ? Theme::kFaceEdge
                        : state == 3 ? Theme::kEdgeDisabled
                                     : Theme::kAccent.WithAlpha(state == 1 ? 0.55 : 1.0);
        const Rgba fill = state == 3 ? Theme::kFaceDisabled
                        : state == 1 ? Theme::kFace
                                     : Theme::kFace.Mix(Theme::kField, 0.5);
        Shapes::Card(cr, 0, 0, frameWidth, frameHeight, 5, fill, edge);
        // The arrow sits in the unstretched right border of 32 pixels, behind a hairline divider.
        cairo_move_to(cr, frameWidth - 31.5, 7);
        cairo_line_to(cr, frameWidth - 31.5, frameHeight - 7);
        Shapes::Stroke(cr, state == 3 ? Theme::kEdgeDisabled : Theme::kFaceEdge, 1);
        const double g = 14;
        DrawGlyph(cr, frameWidth - 16 - g / 2, (frameHeight - g) / 2, g,
                  state == 2 ? Glyphs::ChevronUp : Glyphs::ChevronDown, GlyphColour(state));
    });
}

Surface ControlArt::Edit(int frameWidth, int frameHeight)
{
    return Surface::Strip(frameWidth, frameHeight, kStates, [&](cairo_t* cr, int state) {
        const Rgba edge = state == 0 ? Theme::kWellEdge.Mix(Theme::kFaceEdge, 0.5)
                        : state == 1 ? Theme::kFaceEdge.Mix(Theme::kGlyph, 0.35)
                        : state == 2 ? Theme::kAccent
                                     : Theme::kEdgeDisabled;
        Shapes::Card(cr, 0, 0, frameWidth, frameHeight, 4, state == 3 ? Theme::kFaceDisabled : Theme::kField, edge);
    });
}

Surface ControlArt::CheckBox(int size)
{
    return Surface::Strip(size, size, kStates * 2, [&](cairo_t* cr, int frame) {
        const int state = frame % kStates;
        const double box = size - 4;
        if (frame >= kStates) {
            const Rgba fill = state == 3 ? Theme::kFaceEdge
                            : state == 1 ? Theme::kAccent.Mix(Theme::kGlyphHover, 0.3)
                            : state == 2 ? Theme::kAccentDeep
                                         : Theme::kAccent;
            Shapes::RoundRect(cr, 2, 2, box, box, 3.5);
            Shapes::Fill(cr, fill);
            DrawGlyph(cr, 2, 2, box, Glyphs::Check, state == 3 ? Theme::kGlyphDisabled : Theme::kInk);
        } else {
            const Rgba edge = state == 0 ? Theme::kGlyph.Mix(Theme::kField, 0.3)
                            : state == 3 ? Theme::kEdgeDisabled
                                         : Theme::kAccent.WithAlpha(state == 1 ? 0.75 : 1.0);
            Shapes::Card(cr, 2, 2, box, box, 3.5, Theme::kField, edge);
        }
    });
}

Surface ControlArt::RadioBox(int size)
{
    return Surface::Strip(size, size, kStates * 2, [&](cairo_t* cr, int frame) {
        const int state = frame % kStates;
        const bool checked = frame >= kStates;
        const double c = size / 2.0;
        const Rgba ring = state == 3            ? Theme::kEdgeDisabled
                        : state == 2            ? Theme::kAccentDeep
                        : checked || state == 1 ? Theme::kAccent.WithAlpha(state == 1 && !checked ? 0.75 : 1.0)
                                                : Theme::kGlyph.Mix(Theme::kField, 0.3);
        Shapes::Circle(cr, c, c, c - 2);
        Shapes::Fill(cr, Theme::kField);
        Shapes::Circle(cr, c, c, c - 2.5);
        Shapes::Stroke(cr, ring, 1.2);
        if (checked) {
            const Rgba dot = state == 3 ? Theme::kGlyphDisabled
                           : state == 1 ? Theme::kGlyphHover.Mix(Theme::kAccent, 0.5)
                           : state == 2 ? Theme::kAccentDeep
                                        : Theme::kAccent;
            Shapes::Circle(cr, c, c, c - 6);
            Shapes::Fill(cr, dot);
        }
    });
}

Surface ControlArt::GlyphStrip(int frameWidth, int frameHeight, int frames, double glyphSize, Glyphs::Draw glyph,
                               GlyphLook look)
{
    return Surface::Strip(frameWidth, frameHeight, frames, [&](cairo_t* cr, int frame) {
        const int state = frame % kStates;
        Rgba colour = GlyphColour(state);
        if (look == GlyphLook::Face) {
            DrawFace(cr, frameWidth, frameHeight, ButtonFace(state));
            colour = state == 3 ? Theme::kGlyphDisabled
                   : state == 0 ? Theme::kGlyph.Mix(Theme::kGlyphHover, 0.5)
                                : colour;
        } else if (look != GlyphLook::Bare && (state == 1 || state == 2)) {
            const bool danger = look == GlyphLook::Danger;
            const Rgba plate = danger ? Theme::kDanger.WithAlpha(state == 1 ? 1.0 : 0.75)
                                      : Theme::kFaceHover.WithAlpha(state == 1 ? 1.0 : 0.7);
            Shapes::RoundRect(cr, 0, 0, frameWidth, frameHeight, 6);
            Shapes::Fill(cr, plate);
            colour = danger || state == 1 ? Theme::kGlyphHover : Theme::kAccent;
        }
        DrawGlyph(cr, (frameWidth - glyphSize) / 2, (frameHeight - glyphSize) / 2, glyphSize, glyph, colour);
    });
}
