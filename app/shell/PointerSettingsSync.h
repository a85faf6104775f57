#pragma once
// Keeps the desktop's pointer settings in step with the profile shown: applies the profile's stored
// values, the page's changes and the defaults after a factory reset, stores what changed in the
// profile, and reports what the settings page must show.
//
// Stored keys: mouse_speed (1..20), mouse_sensitivity ("1" on, "0" off), wheel_scrollflag ("1" lines,
// "0" one screen per notch), wheel_scrolllines (lines per notch, "0" in screen mode) and
// doubleclick_time (ms). Slider scales: speed position p is speed p + 1; double-click position p is
// 900 - 70 p ms.
// Thread contract: any thread; the UI thread and the device worker may call it at once, since the
// pointer settings and the profile config guard themselves and the pending slider value has a lock.

#include "app/shell/PointerSettings.h"
#include "app/shell/PointerSettingsView.h"
#include "app/shell/ProfileConfig.h"

#include <mutex>
#include <string_view>

class PointerSettingsSync {
public:
    // Which slider was released last (SetPendingMouseSetting).
    enum Pending { kNothingPending = 0, kPendingSpeed = 1, kPendingWheelLines = 2, kPendingDoubleClick = 3 };

    static constexpr int kDefaultSpeed = 10;
    static constexpr int kDefaultWheelLines = 3;
    static constexpr int kDefaultDoubleClickMs = 550;

    PointerSettingsSync(PointerSettings& desktop, ProfileConfig& profile);

    // Double-click time of a slider position (held to 0..10), and the position of a time: its place in
    // the slider's table, 0 for any time not in it.
    static int DoubleClickTimeAt(int position);
    static int PositionFromDoubleClickTime(int ms);

    // The pointer-precision check box: applies and stores mouse_sensitivity.
    PointerSettingsView SetPointerAcceleration(bool on);
    // The wheel-mode radio buttons: screen mode applies one screen per notch and stores "0", "0"; line
    // mode applies 3 lines whatever the box showed and stores "1", "3".
    PointerSettingsView SetWheelMode(bool screenMode);
    // The lines box's step buttons: applies the box's decimal value and stores the text.
    PointerSettingsView ApplyWheelLines(std::wstring_view text);

    // A slider release (UI thread): stores what that slider stores (mouse_speed, doubleclick_time; the
    // wheel-lines slider stores nothing) and remembers the value for ApplyPendingMouseSetting. Only the
    // last release is remembered.
    void SetPendingMouseSetting(Pending which, int sliderValue);
    // Worker task 20: applies the remembered slider value. The memory is not cleared.
    PointerSettingsView ApplyPendingMouseSetting();

    // Applies the profile's stored values to the desktop, unchecked, and shows them.
    PointerSettingsView RefreshWindowsMouseSettings();
    // After the mouse's factory reset: each desktop setting that differs from its default (speed 10,
    // acceleration on, 3 lines, 550 ms) is set to it, shown and stored; the others stay as they are.
    PointerSettingsView RestoreWindowsMouseDefaults();

private:
    PointerSettings& desktop_;
    ProfileConfig& profile_;
    std::mutex pendingLock_;
    Pending pending_ = kNothingPending;
    int pendingValue_ = 0;
};
