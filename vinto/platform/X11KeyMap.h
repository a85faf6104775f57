#pragma once
// Virtual-key codes for X keysyms, and the character a key types the way the toolkit's edit
// windows expect it (Ctrl with a letter types its control character).
// Thread contract: pure functions, callable from any thread.

#include <cstdint>

namespace Vinto {

// The virtual-key code of an unshifted keysym; 0 for keys without one.
uint32_t VirtualKeyFromKeysym(unsigned long keysym);
// The character typed by `keysym` (as shifted by the modifiers) with Ctrl held or not; 0 for none.
char32_t TextFromKeysym(unsigned long keysym, bool control);

} // namespace Vinto
