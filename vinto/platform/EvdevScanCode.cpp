#include "vinto/platform/EvdevScanCode.h"

namespace Vinto {

namespace {

struct Moved {
    uint32_t code;
    ScanCode scan;
};

const Moved kMoved[] = {
    {89, {0x73, false}},   // RO
    {92, {0x79, false}},   // Henkan
    {93, {0x70, false}},   // Katakana/Hiragana
    {94, {0x7B, false}},   // Muhenkan
    {96, {0x1C, true}},    // keypad Enter
    {97, {0x1D, true}},    // right Ctrl
    {98, {0x35, true}},    // keypad /
    {99, {0x37, true}},    // Print Screen
    {100, {0x38, true}},   // right Alt
    {102, {0x47, true}},   // Home
    {103, {0x48, true}},   // Up
    {104, {0x49, true}},   // Page Up
    {105, {0x4B, true}},   // Left
    {106, {0x4D, true}},   // Right
    {107, {0x4F, true}},   // End
    {108, {0x50, true}},   // Down
    {109, {0x51, true}},   // Page Down
    {110, {0x52, true}},   // Insert
    {111, {0x53, true}},   // Delete
    {119, {0x45, false}},  // Pause
    {124, {0x7D, false}},  // Yen
    {125, {0x5B, true}},   // left Windows
    {126, {0x5C, true}},   // right Windows
    {127, {0x5D, true}},   // Menu
};

} // namespace

ScanCode ScanCodeFromEvdev(uint32_t code)
{
    if (code >= 1 && code <= 88 && code != 84 && code != 85)
        return {static_cast<uint8_t>(code), false};
    for (const Moved& m : kMoved)
        if (m.code == code)
            return m.scan;
    return {};
}

} // namespace Vinto
