#pragma once
// Numbers typed on the command line. Unlike stored texts, which read leniently, an operand must be a
// whole number and nothing else, so a typo is refused instead of becoming 0.
// Thread contract: pure functions; any thread.

#include <optional>
#include <string_view>

// An optional sign and decimal digits within the int range; none for anything else.
std::optional<int> ParseInteger(std::string_view text);
