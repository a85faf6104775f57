#include "app/shell/PointerSettingsSync.h"

#include "common/TextConvert.h"

#include <algorithm>
#include <string>

namespace {

using Setting = PointerSettingsView::Setting;

void Note(PointerSettingsView& view, Setting setting, bool applied)
{
    if (!applied)
        view.notApplied.push_back(setting);
}

} // namespace

PointerSettingsSync::PointerSettingsSync(PointerSettings& desktop, ProfileConfig& profile)
    : desktop_(desktop), profile_(profile)
{
}

int PointerSettingsSync::DoubleClickTimeAt(int position)
{
    return 900 - 70 * std::clamp(position, 0, 10);
}

int PointerSettingsSync::PositionFromDoubleClickTime(int ms)
{
    for (int position = 0; position <= 10; ++position) {
        if (DoubleClickTimeAt(position) == ms)
            return position;
    }
    return 0;
}

PointerSettingsView PointerSettingsSync::SetPointerAcceleration(bool on)
{
    PointerSettingsView view;
    Note(view, Setting::Acceleration, desktop_.SetAcceleration(on));
    view.accelerationChecked = on;
    profile_.SetConfigValue(L"mouse_sensitivity", on ? L"1" : L"0");
    return view;
}

PointerSettingsView PointerSettingsSync::SetWheelMode(bool screenMode)
{
    PointerSettingsView view;
    Note(view, Setting::WheelLines,
         desktop_.SetWheelLines(screenMode ? PointerSettings::kWheelPageScroll : kDefaultWheelLines));
    const std::wstring lines = screenMode ? L"0" : std::to_wstring(kDefaultWheelLines);
    view.lineMode = !screenMode;
    view.linesText = lines;
    view.linesEnabled = !screenMode;
    profile_.SetConfigValue(L"wheel_scrollflag", screenMode ? L"0" : L"1");
    profile_.SetConfigValue(L"wheel_scrolllines", lines);
    return view;
}

PointerSettingsView PointerSettingsSync::ApplyWheelLines(std::wstring_view text)
{
    PointerSettingsView view;
    Note(view, Setting::WheelLines, desktop_.SetWheelLines(DecimalToInt(text)));
    profile_.SetConfigValue(L"wheel_scrolllines", text);
    return view;
}

void PointerSettingsSync::SetPendingMouseSetting(Pending which, int sliderValue)
{
    if (which == kPendingSpeed)
        profile_.SetConfigValue(L"mouse_speed", std::to_wstring(sliderValue + 1));
    else if (which == kPendingDoubleClick)
        profile_.SetConfigValue(L"doubleclick_time", std::to_wstring(DoubleClickTimeAt(sliderValue)));
    std::lock_guard guard(pendingLock_);
    pending_ = which;
    pendingValue_ = sliderValue;
}

PointerSettingsView PointerSettingsSync::ApplyPendingMouseSetting()
{
    Pending which;
    int value;
    {
        std::lock_guard guard(pendingLock_);
        which = pending_;
        value = pendingValue_;
    }
    PointerSettingsView view;
    switch (which) {
    case kPendingSpeed:
        Note(view, Setting::Speed, desktop_.SetMouseSpeed(value + 1));
        break;
    case kPendingWheelLines:
        Note(view, Setting::WheelLines, desktop_.SetWheelLines(value));
        break;
    case kPendingDoubleClick: {
        const int ms = DoubleClickTimeAt(value);
        Note(view, Setting::DoubleClickTime, desktop_.SetDoubleClickTime(ms));
        view.doubleClickText = std::to_wstring(ms);
        break;
    }
    case kNothingPending:
        break;
    }
    return view;
}

PointerSettingsView PointerSettingsSync::RefreshWindowsMouseSettings()
{
    PointerSettingsView view;

    const int speed = DecimalToInt(profile_.GetConfigValue(L"mouse_speed"));
    if (speed >= PointerSettings::kMinSpeed && speed <= PointerSettings::kMaxSpeed)
        view.speedPosition = speed - 1;
    view.speedText = std::to_wstring(speed);
    Note(view, Setting::Speed, desktop_.SetMouseSpeed(speed));

    const bool acceleration = DecimalToInt(profile_.GetConfigValue(L"mouse_sensitivity")) == 1;
    Note(view, Setting::Acceleration, desktop_.SetAcceleration(acceleration));
    view.accelerationChecked = acceleration;

    // Screen mode stores the line count "0", which is no count and means one screen per notch; a new
    // profile's defaults hold the screen-mode flag with 3 lines, which keeps the desktop at 3 lines.
    const bool lineMode = profile_.GetConfigValue(L"wheel_scrollflag") == L"1";
    const std::wstring linesText = profile_.GetConfigValue(L"wheel_scrolllines");
    const int lines = DecimalToInt(linesText);
    Note(view, Setting::WheelLines,
         desktop_.SetWheelLines(lineMode || lines > 0 ? lines : PointerSettings::kWheelPageScroll));
    view.lineMode = lineMode;
    view.linesText = linesText;
    view.linesEnabled = lineMode;

    const std::wstring doubleClickText = profile_.GetConfigValue(L"doubleclick_time");
    const int ms = DecimalToInt(doubleClickText);
    Note(view, Setting::DoubleClickTime, desktop_.SetDoubleClickTime(ms));
    view.doubleClickText = doubleClickText;
    view.doubleClickPosition = PositionFromDoubleClickTime(ms);
    return view;
}

PointerSettingsView PointerSettingsSync::RestoreWindowsMouseDefaults()
{
    PointerSettingsView view;
    if (desktop_.GetMouseSpeed() != kDefaultSpeed) {
        Note(view, Setting::Speed, desktop_.SetMouseSpeed(kDefaultSpeed));
        view.speedPosition = kDefaultSpeed - 1;
        view.speedText = std::to_wstring(kDefaultSpeed);
        profile_.SetConfigValue(L"mouse_speed", std::to_wstring(kDefaultSpeed));
    }
    if (!desktop_.GetAcceleration()) {
        Note(view, Setting::Acceleration, desktop_.SetAcceleration(true));
        view.accelerationChecked = true;
        profile_.SetConfigValue(L"mouse_sensitivity", L"1");
    }
    if (desktop_.GetWheelLines() != kDefaultWheelLines) {
        Note(view, Setting::WheelLines, desktop_.SetWheelLines(kDefaultWheelLines));
        view.linesText = std::to_wstring(kDefaultWheelLines);
        view.lineMode = true;
        view.linesEnabled = true;
        profile_.SetConfigValue(L"wheel_scrollflag", L"1");
        profile_.SetConfigValue(L"wheel_scrolllines", std::to_wstring(kDefaultWheelLines));
    }
    if (desktop_.GetDoubleClickTime() != kDefaultDoubleClickMs) {
        Note(view, Setting::DoubleClickTime, desktop_.SetDoubleClickTime(kDefaultDoubleClickMs));
        view.doubleClickPosition = PositionFromDoubleClickTime(kDefaultDoubleClickMs);
        view.doubleClickText = std::to_wstring(kDefaultDoubleClickMs);
        profile_.SetConfigValue(L"doubleclick_time", std::to_wstring(kDefaultDoubleClickMs));
    }
    return view;
}
