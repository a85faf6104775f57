#pragma once
// What the settings page shows for the pointer settings after an operation: each field that is set
// gives its control a new state; a field left empty leaves its control as it is.
// Thread contract: a plain value, handed from the thread that ran the operation to the UI thread.

#include <optional>
#include <string>
#include <vector>

struct PointerSettingsView {
    enum class Setting { Speed, Acceleration, WheelLines, DoubleClickTime };

    std::optional<int> speedPosition;       // pointer-speed slider, 0..19
    std::optional<std::wstring> speedText;
    std::optional<bool> accelerationChecked; // pointer-precision check box
    std::optional<bool> lineMode;            // true: the line-mode radio button, false: the screen-mode one
    std::optional<std::wstring> linesText;
    std::optional<bool> linesEnabled;        // the lines box
    std::optional<int> doubleClickPosition; // double-click slider, 0..10
    std::optional<std::wstring> doubleClickText;

    // Settings whose value was kept and stored but did not reach the desktop (it has no such setting
    // or refused the value), in the order they were tried.
    std::vector<Setting> notApplied;
};
