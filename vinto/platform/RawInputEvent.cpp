#include "vinto/platform/RawInputEvent.h"

#include "vinto/platform/Messages.h"

namespace Vinto {

static_assert(sizeof(intptr_t) >= 8, "WM_INPUT packs a whole event into lParam");

namespace {

// Bits of the packed form: the device in bit 63; a key's message as two bits (0 down, 1 up,
// 2 sys down, 3 sys up), its flags, make code, side key and key; a mouse's flags and delta.
uint64_t MessageBits(uint32_t message)
{
    switch (message) {
    case WM_KEYUP:
        return 1;
    case WM_SYSKEYDOWN:
        return 2;
    case WM_SYSKEYUP:
        return 3;
    default:
        return 0;
    }
}

constexpr uint32_t kMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP};

} // namespace

RawInputEvent RawInputEvent::Key(uint8_t virtualKey, uint8_t sideKey, uint8_t makeCode, uint16_t flags, uint32_t message)
{
    RawInputEvent e;
    e.device = Device::Keyboard;
    e.virtualKey = virtualKey;
    e.sideKey = sideKey;
    e.makeCode = makeCode;
    e.flags = flags & (RI_KEY_BREAK | RI_KEY_E0 | RI_KEY_E1);
    e.message = kMessages[MessageBits(message)];
    return e;
}

RawInputEvent RawInputEvent::Mouse(uint16_t buttonFlags, int16_t wheelDelta)
{
    RawInputEvent e;
    e.device = Device::Mouse;
    e.buttonFlags = buttonFlags & 0x07FF;
    e.wheelDelta = (buttonFlags & RI_MOUSE_WHEEL) ? wheelDelta : 0;
    return e;
}

intptr_t RawInputEvent::ToLParam() const
{
    uint64_t v = 0;
    if (device == Device::Mouse) {
        v = (uint64_t{1} << 63) | (uint64_t{buttonFlags} << 16) | static_cast<uint16_t>(wheelDelta);
    } else {
        v = (MessageBits(message) << 40) | (uint64_t{flags} << 32) | (uint64_t{makeCode} << 16) |
            (uint64_t{sideKey} << 8) | virtualKey;
    }
    return static_cast<intptr_t>(v);
}

RawInputEvent RawInputEvent::FromLParam(intptr_t lParam)
{
    const uint64_t v = static_cast<uint64_t>(lParam);
    if (v >> 63)
        return Mouse(static_cast<uint16_t>(v >> 16), static_cast<int16_t>(static_cast<uint16_t>(v)));
    return Key(static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
               static_cast<uint16_t>((v >> 32) & 0xFF), kMessages[(v >> 40) & 3]);
}

} // namespace Vinto
