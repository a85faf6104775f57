#include "app/shell/PointerSettings.h"

#include <algorithm>
#include <cmath>

int PointerSettings::GetMouseSpeed()
{
    std::lock_guard guard(lock_);
    return ReadSpeed().value_or(kept_.speed);
}

bool PointerSettings::SetMouseSpeed(int speed)
{
    if (speed < kMinSpeed || speed > kMaxSpeed)
        return false;
    std::lock_guard guard(lock_);
    kept_.speed = speed;
    return WriteSpeed(speed);
}

bool PointerSettings::GetAcceleration()
{
    std::lock_guard guard(lock_);
    return ReadAcceleration().value_or(kept_.acceleration);
}

bool PointerSettings::SetAcceleration(bool on)
{
    std::lock_guard guard(lock_);
    kept_.acceleration = on;
    return WriteAcceleration(on);
}

int PointerSettings::GetWheelLines()
{
    std::lock_guard guard(lock_);
    return ReadWheelLines().value_or(kept_.wheelLines);
}

bool PointerSettings::SetWheelLines(int lines)
{
    if (lines < 1 && lines != kWheelPageScroll)
        return false;
    std::lock_guard guard(lock_);
    kept_.wheelLines = lines;
    return WriteWheelLines(lines);
}

int PointerSettings::GetDoubleClickTime()
{
    std::lock_guard guard(lock_);
    return ReadDoubleClickTime().value_or(kept_.doubleClickMs);
}

bool PointerSettings::SetDoubleClickTime(int ms)
{
    if (ms <= 0)
        return false;
    std::lock_guard guard(lock_);
    kept_.doubleClickMs = ms;
    return WriteDoubleClickTime(ms);
}

double PointerSettings::SpeedToUnit(int speed)
{
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

int PointerSettings::SpeedFromUnit(double unit)
{
    if (!std::isfinite(unit))
        return 10;
    return std::clamp(static_cast<int>(std::lround(unit * 10.0)) + 10, kMinSpeed, kMaxSpeed);
}
