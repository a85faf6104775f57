#include "device/KeyCodeTables.h"

#include <gtest/gtest.h>

#include <set>

TEST(KeyCodeTables, VirtualKeyToUsage)
{
    struct Case {
        int code;
        int usage;
    };
    const Case cases[] = {
        {65, 4},    {90, 29},   {49, 30},   {57, 38},   {48, 39},   {112, 58},  {123, 69},  {124, 104},
        {135, 115}, {97, 89},   {105, 97},  {96, 98},   {136, 136}, {139, 139}, {140, 0},   {162, 224},
        {160, 225}, {165, 230}, {91, 227},  {92, 231},  {108, 88},  {16, 0},    {17, 0},    {0, 0},
        {-1, 0},    {254, 175}, {301, 236}, {302, 235}, {666, 50},  {226, 100}, {222, 52},  {255, 0},
        {65 + 256, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyToUsage(c.code), c.usage) << c.code;
}

TEST(KeyCodeTables, UsageToVirtualKey)
{
    struct Case {
        int usage;
        int code;
    };
    const Case cases[] = {
        {4, 65},    {29, 90},   {30, 49},  {38, 57},  {39, 48},  {58, 112}, {69, 123}, {89, 97},
        {97, 105},  {98, 96},   {88, 108}, {100, 0},  {50, 0},   {104, 0},  {115, 0},  {235, 0},
        {236, 0},   {175, 250}, {209, 175}, {210, 174}, {211, 173}, {212, 183}, {224, 162}, {231, 92},
        {0, 0},     {-4, 0},    {232, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsageToVirtualKey(c.usage), c.code) << c.usage;
}

// Every usage with a way back returns to itself, except the ones whose virtual keys have no usage.
TEST(KeyCodeTables, UsageRoundTripsThroughItsVirtualKey)
{
    const std::set<int> oneWay = {175, 209, 210, 211, 212};
    for (int usage = 0; usage < 256; ++usage) {
        const int code = UsageToVirtualKey(usage);
        if (code != 0 && !oneWay.contains(usage)) {
            EXPECT_EQ(VirtualKeyToUsage(code), usage) << usage;
        }
    }
}

TEST(KeyCodeTables, ModifierBit)
{
    struct Case {
        int usage;
        int bit;
    };
    const Case cases[] = {
        {224, 1}, {225, 2}, {226, 4}, {227, 8}, {228, 16}, {229, 32}, {230, 64}, {231, 128},
        {4, 4},   {223, 223}, {232, 232}, {0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModifierBit(c.usage), c.bit) << c.usage;
        EXPECT_EQ(IsModifierUsage(c.usage), c.usage >= 224 && c.usage <= 231) << c.usage;
    }
}

TEST(KeyCodeTables, UsageName)
{
    struct Case {
        int usage;
        const wchar_t* name;
    };
    const Case cases[] = {
        {4, L"A"},       {29, L"Z"},         {30, L"1"},        {38, L"9"},          {39, L"0"},
        {58, L"F1"},     {69, L"F12"},       {89, L"Num 1"},    {97, L"Num 9"},      {98, L"Num 0"},
        {40, L"Enter"},  {49, L"\\"},        {52, L"'"},        {53, L"`"},          {57, L"Caps Lock"},
        {70, L"Print Screen"}, {88, L"Num Enter"}, {99, L"Num Del"}, {101, L"Menu"}, {175, L"Fn"},
        {224, L"Ctrl"},  {228, L"Ctrl"},     {227, L"Windows"}, {230, L"Alt"},       {231, L""},
        {50, L""},       {100, L""},         {104, L""},        {0, L""},            {-1, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsageName(c.usage), c.name) << c.usage;
}
