#pragma once
// The button table frame (0x08): five 4-byte entries, one per physical button, each saying what the
// button does (mouse function, keyboard key or combination, media key, macro slot, shortcut, ...).
// Thread contract: pure functions, callable from any thread.

#include "device/CommandFrame.h"
#include "store/KeyMacroRecord.h"
#include "store/MacroRecord.h"

#include <array>
#include <span>

inline constexpr int kButtonEntryCount = 5;

using ButtonEntry = std::array<unsigned char, 4>;

// The entry of one assignment row. `macros` is the macro list in store order: a macro's position in
// it is its slot on the mouse. A macro assignment whose macro is missing, or whose slot lies beyond
// the mouse's 32 macro slots, becomes 60 00 00 00, which plays nothing; a play count is clamped to
// 0..255.
ButtonEntry EncodeButtonEntry(const KeyMacroRecord& row, std::span<const MacroRecord> macros);

// 0C 08 14 00 00 and five entries. Entries start from the built-in layout (left, right, middle,
// button bits 0x10 and 0x08); each row of the first layer with key code 0..4 replaces its button's
// entry, later rows winning. Rows of other layers or other key codes have no place in the frame.
CommandFrame BuildButtonFrame(std::span<const KeyMacroRecord> rows, std::span<const MacroRecord> macros);
