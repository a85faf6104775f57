#pragma once

#include "Rgba.h"

// The dark theme's palette. Every image of the skin takes its colours from here, so a designer who
// wants another look changes these and rebuilds. The accent matches the theme colour of config.xml.
namespace Theme {

inline constexpr Rgba kAccent = Rgba::Hex(0x49FFE6);
inline constexpr Rgba kAccentDeep = Rgba::Hex(0x1FB8A6);
inline constexpr Rgba kDanger = Rgba::Hex(0xE5484D);

inline constexpr Rgba kWindowTop = Rgba::Hex(0x17191E);
inline constexpr Rgba kWindowBottom = Rgba::Hex(0x0C0D10);
inline constexpr Rgba kWindowEdge = Rgba::Hex(0x2A2E35);

inline constexpr Rgba kPanel = Rgba::Hex(0x1A1C21, 0.94);
inline constexpr Rgba kPanelEdge = Rgba::Hex(0x2B2F36);
inline constexpr Rgba kWell = Rgba::Hex(0x111216, 0.96);
inline constexpr Rgba kWellEdge = Rgba::Hex(0x25282E);

inline constexpr Rgba kFace = Rgba::Hex(0x2A2D34);
inline constexpr Rgba kFaceHover = Rgba::Hex(0x343841);
inline constexpr Rgba kFaceEdge = Rgba::Hex(0x3C4049);
inline constexpr Rgba kFaceDisabled = Rgba::Hex(0x1D1F24);
inline constexpr Rgba kEdgeDisabled = Rgba::Hex(0x2A2C31);
inline constexpr Rgba kField = Rgba::Hex(0x121317);

inline constexpr Rgba kGlyph = Rgba::Hex(0x8E949E);
inline constexpr Rgba kGlyphHover = Rgba::Hex(0xFFFFFF);
inline constexpr Rgba kGlyphDisabled = Rgba::Hex(0x464A52);
inline constexpr Rgba kInk = Rgba::Hex(0x0F1013);

inline constexpr Rgba kMouseShell = Rgba::Hex(0x23262C);
inline constexpr Rgba kMouseShellLight = Rgba::Hex(0x3A3F48);
inline constexpr Rgba kMouseKey = Rgba::Hex(0x2C3038);
inline constexpr Rgba kMouseSeam = Rgba::Hex(0x0A0B0D);

}  // namespace Theme
