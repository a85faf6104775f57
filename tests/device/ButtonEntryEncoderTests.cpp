#include "device/ButtonEntryEncoder.h"

#include "FrameText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

KeyMacroRecord Row(int type, int value, int value2 = 0, int value3 = 0, int keyCode = 0)
{
    KeyMacroRecord row;
    row.key_code = keyCode;
    row.macro_type = type;
    row.macro_value = value;
    row.macro_value2 = value2;
    row.macro_value3 = value3;
    return row;
}

MacroRecord Macro(int id, int playType, int playTimes)
{
    MacroRecord macro;
    macro.macro_id = id;
    macro.play_type = playType;
    macro.play_times = playTimes;
    return macro;
}

struct EntryCase {
    KeyMacroRecord row;
    const char* expected;
};

void ExpectEntries(std::span<const EntryCase> cases, std::span<const MacroRecord> macros = {})
{
    for (const EntryCase& c : cases) {
        EXPECT_EQ(HexText(EncodeButtonEntry(c.row, macros)), c.expected)
            << "type " << c.row.macro_type << " value " << c.row.macro_value << " value2 " << c.row.macro_value2;
    }
}

} // namespace

TEST(ButtonEntry, MouseFunctions)
{
    const EntryCase cases[] = {
        {Row(1, 1), "10 01 00 00"},  {Row(1, 2), "10 02 00 00"},  {Row(1, 3), "10 04 00 00"},
        {Row(1, 4), "10 01 02 00"},  {Row(1, 5), "10 10 00 00"},  {Row(1, 6), "10 08 00 00"},
        {Row(1, 7), "10 00 00 02"},  {Row(1, 8), "10 00 00 FE"},  {Row(1, 9), "10 00 01 00"},
        {Row(1, 10), "10 00 FF 00"}, {Row(1, 11), "10 0A 00 00"}, {Row(1, 12), "10 0B 00 00"},
        {Row(1, 13), "10 0C 00 00"}, {Row(1, 14), "10 0D 00 00"}, {Row(1, 0), "10 00 00 00"},
        {Row(1, 15), "10 00 00 00"}, {Row(1, -1), "10 00 00 00"},
    };
    ExpectEntries(cases);
}

TEST(ButtonEntry, KeyboardKeysAndModifiers)
{
    const EntryCase cases[] = {
        {Row(2, 0x04, 0x02), "20 02 04 00"}, // Shift + A
        {Row(2, 0x04, 0), "20 00 04 00"},    // A alone
        {Row(2, 225, 0), "20 02 00 00"},     // lone left Shift travels as its bit
        {Row(2, 231, 0), "20 80 00 00"},     // lone right Windows
        {Row(2, 225, 0x01), "20 01 02 00"},  // Ctrl + left Shift: the key byte holds Shift's bit
        {Row(2, 223, 0), "20 00 DF 00"},     // just below the modifiers
        {Row(2, 0x104, 0x101), "20 01 04 00"},
    };
    ExpectEntries(cases);
}

TEST(ButtonEntry, MediaKeysAndShortcuts)
{
    const EntryCase cases[] = {
        {Row(3, 1), "30 83 01 00"},  {Row(3, 2), "30 CD 00 00"},  {Row(3, 3), "30 B7 00 00"},
        {Row(3, 4), "30 B6 00 00"},  {Row(3, 5), "30 B5 00 00"},  {Row(3, 6), "30 E9 00 00"},
        {Row(3, 7), "30 EA 00 00"},  {Row(3, 8), "30 E2 00 00"},  {Row(3, 0), "30 00 00 00"},
        {Row(3, 9), "30 00 00 00"},
        {Row(9, 1), "30 6F 00 00"},  {Row(9, 2), "30 70 00 00"},  {Row(9, 3), "30 92 01 00"},
        {Row(9, 4), "30 94 01 00"},  {Row(9, 5), "30 23 02 00"},  {Row(9, 6), "30 8A 01 00"},
        {Row(9, 7), "20 00 3E 00"},  {Row(9, 8), "20 04 2B 00"},  {Row(9, 9), "20 01 06 00"},
        {Row(9, 10), "20 01 19 00"}, {Row(9, 11), "20 01 1B 00"}, {Row(9, 0), "30 00 00 00"},
        {Row(9, 12), "30 00 00 00"},
    };
    ExpectEntries(cases);
}

TEST(ButtonEntry, DeviceFunctionsAndKeyCodes)
{
    const EntryCase cases[] = {
        {Row(5, 0x103), "12 03 00 00"},
        {Row(6, 2), "12 02 00 00"},
        {Row(7, 0x1FF), "08 FF 00 00"},
        {Row(8, 1024, 0x22, 0x33), "70 00 33 22"},  // raw code range: low byte as is
        {Row(8, 2047, 0x122, 0x133), "70 FF 33 22"},
        {Row(8, 65, 0x02), "71 04 00 02"},          // virtual key A becomes usage 4
        {Row(8, 1023), "71 00 00 00"},              // low byte 0xFF has no usage
        {Row(8, 2048 + 162), "71 E0 00 00"},        // low byte 162: left Ctrl
        {Row(10, 5), "13 00 00 00"},
        {Row(11, 5), "06 00 00 00"},
        {Row(0, 5), "00 00 00 00"},
        {Row(12, 5), "00 00 00 00"},
        {Row(-3, 5), "00 00 00 00"},
    };
    ExpectEntries(cases);
}

TEST(ButtonEntry, MacroSlotsComeFromTheListPosition)
{
    std::vector<MacroRecord> macros = {Macro(7, 1, 3), Macro(3, 2, 300), Macro(9, 0x103, -5), Macro(3, 4, 4)};
    for (int id = 100; macros.size() < 33; ++id)
        macros.push_back(Macro(id, 1, 1));
    const EntryCase cases[] = {
        {Row(4, 7), "60 00 03 01"},
        {Row(4, 3), "60 01 FF 02"},   // first match wins; 300 plays clamp to 255
        {Row(4, 9), "60 02 00 03"},   // negative plays clamp to 0
        {Row(4, 42), "60 00 00 00"},  // macro no longer exists
        {Row(4, 127), "60 1F 01 01"}, // the last of the 32 slots
        {Row(4, 128), "60 00 00 00"}, // a 33rd macro is not on the mouse
    };
    ExpectEntries(cases, macros);
    EXPECT_EQ(HexText(EncodeButtonEntry(Row(4, 7), {})), "60 00 00 00");
}

TEST(ButtonFrame, StartsFromTheBuiltInLayoutAndLaterRowsWin)
{
    const std::vector<MacroRecord> macros = {Macro(5, 1, 2)};
    KeyMacroRecord otherLayer = Row(1, 2, 0, 0, 0);
    otherLayer.fn_layer = 1;
    struct Case {
        const char* name;
        std::vector<KeyMacroRecord> rows;
        const char* expected;
    };
    const Case cases[] = {
        {"no rows", {}, "0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10 00 00 10 08"},
        {"rows replace their buttons",
         {Row(2, 0x04, 0x02, 0, 4), Row(4, 5, 0, 0, 2), Row(1, 9, 0, 0, 1), Row(3, 2, 0, 0, 1)},
         "0C 08 14 00 00 10 01 00 00 30 CD 00 00 60 00 02 01 10 10 00 00 20 02 04"},
        {"other key codes and layers have no place",
         {Row(1, 2, 0, 0, 5), Row(1, 2, 0, 0, -1), otherLayer},
         "0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10 00 00 10 08"},
        {"an unknown type clears its button", {Row(0, 0, 0, 0, 4)},
         "0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameText(BuildButtonFrame(c.rows, macros)), c.expected) << c.name;
}
