#pragma once
// One button of a mouse layout: its caption, its key code, and where its callout is drawn.

#include <array>

struct LayoutKey {
    struct Point {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };

    int nameId = 0;    // language text id of the caption
    int keyValue = 0;  // the button's entry in the button command and key_code in the store
    int direction = 0; // side on which the callout is drawn
    std::array<Point, 3> points{};
};
