#pragma once

#include "Glyphs.h"
#include "Surface.h"

// Image strips of the controls that change with the pointer: frames in the order normal, hover,
// pressed, disabled (and the same four again with the check set, for check and radio boxes).
// Faces are drawn to be stretched as nine-grids: flat centres, details kept inside the borders the
// controls leave unstretched. Stateless; any thread.
class ControlArt {
public:
    enum class GlyphLook {
        Bare,    // the glyph alone, its colour following the state (icons, steppers, help)
        Caption, // a rounded hover plate behind the glyph (caption buttons)
        Danger,  // as Caption with a red plate (the close button)
        Face,    // a full button face behind the glyph
    };

    static Surface Button(int frameWidth, int frameHeight);
    // The toggle's pressed frame doubles as its "on" look, so it is drawn lit with the accent.
    static Surface Toggle(int frameWidth, int frameHeight);
    static Surface Combo(int frameWidth, int frameHeight);
    static Surface Edit(int frameWidth, int frameHeight);
    static Surface CheckBox(int size);
    static Surface RadioBox(int size);
    static Surface GlyphStrip(int frameWidth, int frameHeight, int frames, double glyphSize, Glyphs::Draw glyph,
                              GlyphLook look);
};
