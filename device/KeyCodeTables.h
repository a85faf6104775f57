#pragma once
// The two key numberings the program meets: virtual-key codes (what key capture and macro recording
// deliver and macro events store) and HID keyboard usages (what the mouse replays and keyboard
// assignments store). The tables are fixed and independent of the keyboard layout; the two directions
// are deliberately not exact inverses.
// Thread contract: pure functions, callable from any thread.

#include <string>

// The HID usage of a virtual-key code; 0 for codes the mouse cannot replay. Codes 301, 302 and 666
// are the program's own key numbers and map to usages 236, 235 and 50; virtual key 254 is the Fn key
// (usage 175).
int VirtualKeyToUsage(int code);

// The virtual-key code of a HID usage; 0 for usages without one.
int UsageToVirtualKey(int usage);

// True for the eight modifier usages 224 (left Ctrl) to 231 (right Windows).
bool IsModifierUsage(int usage);

// The bit of a modifier usage in the modifier byte of a boot keyboard report (224 -> 1 ... 231 -> 128).
// Any other value is returned unchanged, which callers rely on for plain keys.
int ModifierBit(int usage);

// The display name of a usage ("A", "F1", "Num Enter", "Ctrl", ...); empty for usages without one.
// Left and right modifiers share a name.
std::wstring UsageName(int usage);
