#pragma once
// Text conversions used at every edge of the program. Texts are std::wstring inside (one code point
// per wchar_t on Linux); files, SQLite, XML and the window system speak UTF-8.
// Thread contract: pure functions, callable from any thread.

#include <string>
#include <string_view>

// UTF-8 of `text`. Code points that cannot be encoded (surrogates, values past U+10FFFF) become U+FFFD.
std::string ToUtf8(std::wstring_view text);

// Decodes UTF-8; malformed or overlong sequences become U+FFFD, one per bad byte, so nothing is lost
// silently and nothing is read past the end.
std::wstring FromUtf8(std::string_view text);

// The program's one rule for turning stored or typed text into a number: leading blanks are skipped,
// an optional sign is taken, then decimal digits up to the first other character. Empty or
// non-numeric text gives 0; values past the int range are clamped to it.
int DecimalToInt(std::wstring_view text);
int DecimalToInt(std::string_view text);
