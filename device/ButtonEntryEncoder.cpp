#include "device/ButtonEntryEncoder.h"

#include "device/KeyCodeTables.h"
#include "device/MacroAreaEncoder.h"

#include <algorithm>

namespace {

// First bytes of the entry kinds.
constexpr unsigned char kKeyboardKey = 0x20;
constexpr unsigned char kConsumerKey = 0x30;
constexpr unsigned char kMacroSlot = 0x60;
constexpr unsigned char kRawKeyCode = 0x70;
constexpr unsigned char kVirtualKeyCode = 0x71;
// Device functions carry only their kind byte and at most one value byte.
constexpr unsigned char kFunction12 = 0x12;
constexpr unsigned char kFunction08 = 0x08;
constexpr unsigned char kFunction13 = 0x13;
constexpr unsigned char kFunction06 = 0x06;

// macro_type values of an assignment row.
enum AssignmentType {
    kMouse = 1,
    kKeyboard = 2,
    kMedia = 3,
    kMacro = 4,
    kDeviceFunction5 = 5,
    kDeviceFunction6 = 6,
    kDeviceFunction7 = 7,
    kKeyCode = 8,
    kShortcut = 9,
    kDeviceFunction10 = 10,
    kDeviceFunction11 = 11,
};

constexpr int kFirstRawKeyCode = 1024;
constexpr int kLastRawKeyCode = 2047;

constexpr ButtonEntry kMouseEntries[] = {
    {0x10, 0x00, 0x00, 0x00}, // unknown function
    {0x10, 0x01, 0x00, 0x00}, // left button
    {0x10, 0x02, 0x00, 0x00}, // right button
    {0x10, 0x04, 0x00, 0x00}, // middle button
    {0x10, 0x01, 0x02, 0x00}, {0x10, 0x10, 0x00, 0x00}, {0x10, 0x08, 0x00, 0x00},
    {0x10, 0x00, 0x00, 0x02}, {0x10, 0x00, 0x00, 0xFE},
    {0x10, 0x00, 0x01, 0x00}, // wheel up one step
    {0x10, 0x00, 0xFF, 0x00}, // wheel down one step
    {0x10, 0x0A, 0x00, 0x00}, {0x10, 0x0B, 0x00, 0x00}, {0x10, 0x0C, 0x00, 0x00}, {0x10, 0x0D, 0x00, 0x00},
};

// Consumer-page usages of the media keys 1..8; index 0 is an unknown key.
constexpr int kMediaUsages[] = {0, 0x0183, 0x00CD, 0x00B7, 0x00B6, 0x00B5, 0x00E9, 0x00EA, 0x00E2};

constexpr ButtonEntry kShortcutEntries[] = {
    {0x30, 0x00, 0x00, 0x00}, // unknown shortcut
    {0x30, 0x6F, 0x00, 0x00}, // brightness up
    {0x30, 0x70, 0x00, 0x00}, // brightness down
    {0x30, 0x92, 0x01, 0x00}, // calculator
    {0x30, 0x94, 0x01, 0x00}, // local machine browser
    {0x30, 0x23, 0x02, 0x00}, // browser home
    {0x30, 0x8A, 0x01, 0x00}, // mail
    {0x20, 0x00, 0x3E, 0x00}, // F5
    {0x20, 0x04, 0x2B, 0x00}, // left Alt + Tab
    {0x20, 0x01, 0x06, 0x00}, // left Ctrl + C
    {0x20, 0x01, 0x19, 0x00}, // left Ctrl + V
    {0x20, 0x01, 0x1B, 0x00}, // left Ctrl + X
};

constexpr ButtonEntry kBuiltInLayout[kButtonEntryCount] = {
    {0x10, 0x01, 0x00, 0x00}, {0x10, 0x02, 0x00, 0x00}, {0x10, 0x04, 0x00, 0x00},
    {0x10, 0x10, 0x00, 0x00}, {0x10, 0x08, 0x00, 0x00},
};

// The entry at `index` of a table whose entry 0 stands for every value outside it.
template <typename Entry, std::size_t Count>
const Entry& TableEntry(const Entry (&table)[Count], int index)
{
    return index > 0 && static_cast<std::size_t>(index) < Count ? table[index] : table[0];
}

ButtonEntry KeyboardEntry(const KeyMacroRecord& row)
{
    if (!IsModifierUsage(row.macro_value))
        return {kKeyboardKey, LowByte(row.macro_value2), LowByte(row.macro_value), 0};
    // A modifier usage travels as its modifier bit: alone in the modifier byte, or as the key byte
    // of a combination.
    const unsigned char bit = LowByte(ModifierBit(row.macro_value));
    if (row.macro_value2 == 0)
        return {kKeyboardKey, bit, 0, 0};
    return {kKeyboardKey, LowByte(row.macro_value2), bit, 0};
}

ButtonEntry MacroEntry(const KeyMacroRecord& row, std::span<const MacroRecord> macros)
{
    const auto found = std::find_if(macros.begin(), macros.end(),
                                    [&row](const MacroRecord& macro) { return macro.macro_id == row.macro_value; });
    const auto slot = found - macros.begin();
    if (found == macros.end() || slot >= static_cast<std::ptrdiff_t>(kMacroSlotCount))
        return {kMacroSlot, 0, 0, 0};
    return {kMacroSlot, LowByte(static_cast<int>(slot)), LowByte(std::clamp(found->play_times, 0, 255)),
            LowByte(found->play_type)};
}

ButtonEntry KeyCodeEntry(const KeyMacroRecord& row)
{
    const bool raw = row.macro_value >= kFirstRawKeyCode && row.macro_value <= kLastRawKeyCode;
    const unsigned char code = raw ? LowByte(row.macro_value) : LowByte(VirtualKeyToUsage(row.macro_value & 0xFF));
    return {raw ? kRawKeyCode : kVirtualKeyCode, code, LowByte(row.macro_value3), LowByte(row.macro_value2)};
}

} // namespace

ButtonEntry EncodeButtonEntry(const KeyMacroRecord& row, std::span<const MacroRecord> macros)
{
    switch (row.macro_type) {
    case kMouse:
        return TableEntry(kMouseEntries, row.macro_value);
    case kKeyboard:
        return KeyboardEntry(row);
    case kMedia: {
        const int usage = TableEntry(kMediaUsages, row.macro_value);
        return {kConsumerKey, LowByte(usage), LowByte(usage >> 8), 0};
    }
    case kMacro:
        return MacroEntry(row, macros);
    case kDeviceFunction5:
    case kDeviceFunction6:
        return {kFunction12, LowByte(row.macro_value), 0, 0};
    case kDeviceFunction7:
        return {kFunction08, LowByte(row.macro_value), 0, 0};
    case kKeyCode:
        return KeyCodeEntry(row);
    case kShortcut:
        return TableEntry(kShortcutEntries, row.macro_value);
    case kDeviceFunction10:
        return {kFunction13, 0, 0, 0};
    case kDeviceFunction11:
        return {kFunction06, 0, 0, 0};
    default:
        return {0, 0, 0, 0};
    }
}

CommandFrame BuildButtonFrame(std::span<const KeyMacroRecord> rows, std::span<const MacroRecord> macros)
{
    std::array<ButtonEntry, kButtonEntryCount> entries;
    std::copy(std::begin(kBuiltInLayout), std::end(kBuiltInLayout), entries.begin());
    for (const KeyMacroRecord& row : rows) {
        if (row.fn_layer != 0 || row.key_code < 0 || row.key_code >= kButtonEntryCount)
            continue;
        entries[row.key_code] = EncodeButtonEntry(row, macros);
    }
    std::array<unsigned char, kButtonEntryCount * sizeof(ButtonEntry)> payload;
    for (int button = 0; button < kButtonEntryCount; ++button)
        std::copy(entries[button].begin(), entries[button].end(), payload.begin() + 4 * button);
    return MakeCommandFrame(DeviceCommand::ButtonAssignments, payload);
}
