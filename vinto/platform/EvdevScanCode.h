#pragma once
// The PC keyboard scan code (set 1, with its E0 prefix) of a Linux input key code, the number an
// X server's key code minus 8 gives. Most codes up to 88 are the scan code itself; the keys the
// PC keyboard reached through E0 moved to codes of their own.
// Thread contract: a pure function, callable from any thread.

#include <cstdint>

namespace Vinto {

struct ScanCode {
    uint8_t make = 0;    // 0: the key has no scan code
    bool e0 = false;
    friend bool operator==(const ScanCode&, const ScanCode&) = default;
};

ScanCode ScanCodeFromEvdev(uint32_t code);

} // namespace Vinto
