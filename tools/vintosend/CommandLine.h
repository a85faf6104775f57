#pragma once
// The command line of vintosend: what to reach and what to send it.
// Thread contract: pure functions.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SendRequest {
    std::string display;      // empty: $DISPLAY
    std::string name;         // the mark of the window
    bool raise = false;       // bring the window to the front instead of sending
    uint32_t message = 0;
    uint32_t wParam = 0;
    int32_t lParam = 0;
};

// "[--display D] NAME --raise" or "[--display D] NAME MESSAGE [WPARAM [LPARAM]]"; numbers in
// decimal or 0x-hexadecimal, lParam may be negative. Nothing on a malformed line.
std::optional<SendRequest> ParseCommandLine(const std::vector<std::string>& args);
// A number that fits the range, in decimal or with a 0x prefix; nothing for anything else.
std::optional<int64_t> ParseNumber(const std::string& text, int64_t min, int64_t max);
