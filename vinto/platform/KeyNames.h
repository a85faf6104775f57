#pragma once
// The name shown for a virtual-key code: keys that type a character are named by that character
// in the current keyboard layout (upper case), the others by a fixed table ("Page Up", "Num 7",
// "RCtrl", "F11", ...). A key the layout does not have falls back to its US-layout character.
// Thread contract: a pure function, callable from any thread.

#include <cstdint>
#include <string>

namespace Vinto {

// `layoutKeysym` is the keysym the layout's key for the code types without modifiers, 0 when
// unknown. Empty for a code no key has.
std::wstring KeyNameFor(uint32_t virtualKey, unsigned long layoutKeysym);

} // namespace Vinto
