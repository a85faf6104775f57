#pragma once
// The configuration keys every profile owns, with the values a new profile starts from, in the order
// they are inserted. Values are decimal text; colours are COLORREF values (red in the low byte).
// Thread contract: immutable data, readable from any thread.

#include <span>

class ConfigDefaults {
public:
    struct Entry {
        const wchar_t* key;
        const wchar_t* value;
    };

    // The 48 keys of a new profile.
    static std::span<const Entry> Keys();
};
