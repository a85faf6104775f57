#include "common/TextConvert.h"

#include <gtest/gtest.h>

TEST(TextConvert, RoundTripsEveryPlane)
{
    const std::wstring text = L"Profile \u00e9\u4e2d\U0001F600 \u041f\u0440\u043e\u0444\u0438\u043b\u044c";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(L"\u00e9"), "\xC3\xA9");
    EXPECT_EQ(ToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(TextConvert, MalformedUtf8BecomesReplacementCharacters)
{
    struct Case { std::string input; std::wstring expected; };
    const Case cases[] = {
        {"a\xFF" "b", L"a\uFFFDb"},               // byte that starts nothing
        {"\xC3", L"\uFFFD"},                      // truncated at the end
        {"\xC0\xAF", L"\uFFFD\uFFFD"},            // overlong '/'
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"\xE2\x28\xA1", L"\uFFFD(\uFFFD"},       // bad continuation
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(c.input), c.expected) << c.input;
}

TEST(TextConvert, UnencodableCodePointsBecomeReplacement)
{
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}

TEST(DecimalToInt, FollowsTheStoredTextRule)
{
    struct Case { const wchar_t* text; int expected; };
    const Case cases[] = {
        {L"", 0}, {L"abc", 0}, {L"42", 42}, {L"  -17x", -17}, {L"+8", 8}, {L"\t 3 4", 3},
        {L"- 5", 0}, {L"2147483647", 2147483647}, {L"99999999999", 2147483647},
        {L"-2147483648", -2147483647 - 1}, {L"-99999999999", -2147483647 - 1}, {L"0x10", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalToInt(std::wstring_view(c.text)), c.expected) << c.text;
    EXPECT_EQ(DecimalToInt(std::string_view(" 1600")), 1600);
}
