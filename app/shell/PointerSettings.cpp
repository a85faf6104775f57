#include "app/shell/PointerSettings.h"

#include <algorithm>
#include <cmath>

template <typename T>
T PointerSettings::ReadOrKept(std::optional<T> (PointerSettings::*read)(), const T& kept)
{
    std::lock_guard guard(lock_);
    return (this->*read)().value_or(kept);
}

template <typename T>
bool PointerSettings::KeepAndWrite(T& kept, T value, bool (PointerSettings::*write)(T))
{
    std::lock_guard guard(lock_);
    kept = value;
    return (this->*write)(value);
}

int PointerSettings::GetMouseSpeed()
{
    return ReadOrKept(&PointerSettings::ReadSpeed, kept_.speed);
}

bool PointerSettings::SetMouseSpeed(int speed)
{
    if (speed < kMinSpeed || speed > kMaxSpeed)
        return false;
    return KeepAndWrite(kept_.speed, speed, &PointerSettings::WriteSpeed);
}

bool PointerSettings::GetAcceleration()
{
    return ReadOrKept(&PointerSettings::ReadAcceleration, kept_.acceleration);
}

bool PointerSettings::SetAcceleration(bool on)
{
    return KeepAndWrite(kept_.acceleration, on, &PointerSettings::WriteAcceleration);
}

int PointerSettings::GetWheelLines()
{
    return ReadOrKept(&PointerSettings::ReadWheelLines, kept_.wheelLines);
}

bool PointerSettings::SetWheelLines(int lines)
{
    if (lines < 1 && lines != kWheelPageScroll)
        return false;
    return KeepAndWrite(kept_.wheelLines, lines, &PointerSettings::WriteWheelLines);
}

int PointerSettings::GetDoubleClickTime()
{
    return ReadOrKept(&PointerSettings::ReadDoubleClickTime, kept_.doubleClickMs);
}

bool PointerSettings::SetDoubleClickTime(int ms)
{
    if (ms <= 0)
        return false;
    return KeepAndWrite(kept_.doubleClickMs, ms, &PointerSettings::WriteDoubleClickTime);
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
