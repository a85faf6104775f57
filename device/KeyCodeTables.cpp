#include "device/KeyCodeTables.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

using CodePair = std::pair<int, int>;

// A run of consecutive codes that maps onto a run of consecutive codes.
struct CodeRange {
    int first;
    int last;
    int mappedFirst;
};

constexpr CodeRange kVirtualKeyRanges[] = {
    {65, 90, 4},     // letters A..Z
    {49, 57, 30},    // digits 1..9
    {112, 123, 58},  // F1..F12
    {124, 135, 104}, // F13..F24
    {97, 105, 89},   // keypad 1..9
    {136, 139, 136}, // passed through unchanged
};

constexpr CodePair kVirtualKeySingles[] = {
    {8, 42},    {9, 43},    {13, 40},   {19, 72},   {20, 57},   {27, 41},   {32, 44},   {33, 75},
    {34, 78},   {35, 77},   {36, 74},   {37, 80},   {38, 82},   {39, 79},   {40, 81},   {44, 70},
    {45, 73},   {46, 76},   {48, 39},   {91, 227},  {92, 231},  {93, 101},  {96, 98},   {106, 85},
    {107, 87},  {108, 88},  {109, 86},  {110, 99},  {111, 84},  {144, 83},  {145, 71},  {160, 225},
    {161, 229}, {162, 224}, {163, 228}, {164, 226}, {165, 230}, {186, 51},  {187, 46},  {188, 54},
    {189, 45},  {190, 55},  {191, 56},  {192, 53},  {219, 47},  {220, 49},  {221, 48},  {222, 52},
    {226, 100}, {254, 175}, {301, 236}, {302, 235}, {666, 50},
};

constexpr CodeRange kUsageRanges[] = {
    {4, 29, 65},   // letters A..Z
    {30, 38, 49},  // digits 1..9
    {58, 69, 112}, // F1..F12
    {89, 97, 97},  // keypad 1..9
};

constexpr CodePair kUsageSingles[] = {
    {39, 48},   {40, 13},   {41, 27},   {42, 8},    {43, 9},    {44, 32},   {45, 189},  {46, 187},
    {47, 219},  {48, 221},  {49, 220},  {51, 186},  {52, 222},  {53, 192},  {54, 188},  {55, 190},
    {56, 191},  {57, 20},   {70, 44},   {71, 145},  {72, 19},   {73, 45},   {74, 36},   {75, 33},
    {76, 46},   {77, 35},   {78, 34},   {79, 39},   {80, 37},   {81, 40},   {82, 38},   {83, 144},
    {84, 111},  {85, 106},  {86, 109},  {87, 107},  {88, 108},  {98, 96},   {99, 110},  {101, 93},
    {175, 250}, {209, 175}, {210, 174}, {211, 173}, {212, 183}, {224, 162}, {225, 160}, {226, 164},
    {227, 91},  {228, 163}, {229, 161}, {230, 165}, {231, 92},
};

struct UsageText {
    int usage;
    const wchar_t* name;
};

constexpr UsageText kUsageNames[] = {
    {40, L"Enter"},     {41, L"Esc"},        {42, L"Backspace"},  {43, L"Tab"},       {44, L"Space"},
    {45, L"-"},         {46, L"="},          {47, L"["},          {48, L"]"},         {49, L"\\"},
    {51, L";"},         {52, L"'"},          {53, L"`"},          {54, L","},         {55, L"."},
    {56, L"/"},         {57, L"Caps Lock"},  {70, L"Print Screen"}, {71, L"Scrlk"},   {72, L"Pause"},
    {73, L"Insert"},    {74, L"Home"},       {75, L"Page Up"},    {76, L"Delete"},    {77, L"End"},
    {78, L"Page Down"}, {79, L"Right"},      {80, L"Left"},       {81, L"Down"},      {82, L"Up"},
    {83, L"Num Lock"},  {84, L"Num /"},      {85, L"Num *"},      {86, L"Num -"},     {87, L"Num +"},
    {88, L"Num Enter"}, {98, L"Num 0"},      {99, L"Num Del"},    {101, L"Menu"},     {175, L"Fn"},
    {224, L"Ctrl"},     {225, L"Shift"},     {226, L"Alt"},       {227, L"Windows"},  {228, L"Ctrl"},
    {229, L"Shift"},    {230, L"Alt"},
};

constexpr int kFirstModifierUsage = 224;
constexpr int kLastModifierUsage = 231;

template <std::size_t RangeCount, std::size_t SingleCount>
int Translate(int code, const CodeRange (&ranges)[RangeCount], const CodePair (&singles)[SingleCount])
{
    for (const CodeRange& range : ranges) {
        if (code >= range.first && code <= range.last)
            return range.mappedFirst + (code - range.first);
    }
    const auto found = std::find_if(std::begin(singles), std::end(singles),
                                    [code](const CodePair& pair) { return pair.first == code; });
    return found == std::end(singles) ? 0 : found->second;
}

} // namespace

int VirtualKeyToUsage(int code) { return Translate(code, kVirtualKeyRanges, kVirtualKeySingles); }

int UsageToVirtualKey(int usage) { return Translate(usage, kUsageRanges, kUsageSingles); }

bool IsModifierUsage(int usage) { return usage >= kFirstModifierUsage && usage <= kLastModifierUsage; }

int ModifierBit(int usage)
{
    return IsModifierUsage(usage) ? 1 << (usage - kFirstModifierUsage) : usage;
}

std::wstring UsageName(int usage)
{
    if (usage >= 4 && usage <= 29)
        return std::wstring(1, static_cast<wchar_t>(L'A' + (usage - 4)));
    if (usage >= 30 && usage <= 38)
        return std::wstring(1, static_cast<wchar_t>(L'1' + (usage - 30)));
    if (usage == 39)
        return L"0";
    if (usage >= 58 && usage <= 69)
        return L"F" + std::to_wstring(usage - 57);
    if (usage >= 89 && usage <= 97)
        return L"Num " + std::to_wstring(usage - 88);
    const auto found = std::find_if(std::begin(kUsageNames), std::end(kUsageNames),
                                    [usage](const UsageText& entry) { return entry.usage == usage; });
    return found == std::end(kUsageNames) ? std::wstring() : std::wstring(found->name);
}
