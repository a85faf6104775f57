#pragma once
// One raw keyboard or mouse event, seen whichever window has the focus, as WM_INPUT carries it:
// the lParam of WM_INPUT is the packed event (ToLParam), so a posted message owns its data and a
// forged lParam can only name a wrong key. wParam is RIM_INPUT while one of the program's windows
// is active, else RIM_INPUTSINK.
// Thread contract: a plain value.

#include <cstdint>

namespace Vinto {

inline constexpr uintptr_t RIM_INPUT = 0;
inline constexpr uintptr_t RIM_INPUTSINK = 1;

// Key flags.
inline constexpr uint16_t RI_KEY_MAKE = 0;
inline constexpr uint16_t RI_KEY_BREAK = 1;
inline constexpr uint16_t RI_KEY_E0 = 2;
inline constexpr uint16_t RI_KEY_E1 = 4;

// Mouse button flags.
inline constexpr uint16_t RI_MOUSE_LEFT_BUTTON_DOWN = 0x0001;
inline constexpr uint16_t RI_MOUSE_LEFT_BUTTON_UP = 0x0002;
inline constexpr uint16_t RI_MOUSE_RIGHT_BUTTON_DOWN = 0x0004;
inline constexpr uint16_t RI_MOUSE_RIGHT_BUTTON_UP = 0x0008;
inline constexpr uint16_t RI_MOUSE_MIDDLE_BUTTON_DOWN = 0x0010;
inline constexpr uint16_t RI_MOUSE_MIDDLE_BUTTON_UP = 0x0020;
inline constexpr uint16_t RI_MOUSE_BUTTON_4_DOWN = 0x0040;
inline constexpr uint16_t RI_MOUSE_BUTTON_4_UP = 0x0080;
inline constexpr uint16_t RI_MOUSE_BUTTON_5_DOWN = 0x0100;
inline constexpr uint16_t RI_MOUSE_BUTTON_5_UP = 0x0200;
inline constexpr uint16_t RI_MOUSE_WHEEL = 0x0400;

struct RawInputEvent {
    enum class Device : uint8_t { Keyboard, Mouse };

    Device device = Device::Keyboard;
    // Keyboard: the key as the layout names it, with Shift, Ctrl and Alt reported as the generic
    // VK_SHIFT, VK_CONTROL and VK_MENU; `sideKey` tells which one (VK_LSHIFT ... VK_RMENU) and
    // equals `virtualKey` for every other key.
    uint8_t virtualKey = 0;
    uint8_t sideKey = 0;
    uint8_t makeCode = 0;          // the key's scan code (set 1)
    uint16_t flags = 0;            // RI_KEY_*
    uint32_t message = 0;          // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    // Mouse.
    uint16_t buttonFlags = 0;      // RI_MOUSE_*
    int16_t wheelDelta = 0;        // with RI_MOUSE_WHEEL: WHEEL_DELTA per notch, positive away from the user

    static RawInputEvent Key(uint8_t virtualKey, uint8_t sideKey, uint8_t makeCode, uint16_t flags, uint32_t message);
    static RawInputEvent Mouse(uint16_t buttonFlags, int16_t wheelDelta = 0);

    intptr_t ToLParam() const;
    static RawInputEvent FromLParam(intptr_t lParam);

    friend bool operator==(const RawInputEvent&, const RawInputEvent&) = default;
};

} // namespace Vinto
