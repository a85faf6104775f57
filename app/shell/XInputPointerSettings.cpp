#include "app/shell/XInputPointerSettings.h"

XInputPointerSettings::XInputPointerSettings(std::unique_ptr<PointerDeviceProperties> devices)
    : devices_(std::move(devices))
{
}

std::optional<int> XInputPointerSettings::ReadSpeed()
{
    for (const int device : devices_->DevicesWith(kSpeedProperty)) {
        if (const std::optional<float> unit = devices_->ReadFloat(device, kSpeedProperty))
            return SpeedFromUnit(*unit);
    }
    return std::nullopt;
}

bool XInputPointerSettings::WriteSpeed(int speed)
{
    bool applied = false;
    for (const int device : devices_->DevicesWith(kSpeedProperty))
        applied |= devices_->WriteFloat(device, kSpeedProperty, static_cast<float>(SpeedToUnit(speed)));
    return applied;
}

std::optional<bool> XInputPointerSettings::ReadAcceleration()
{
    for (const int device : devices_->DevicesWith(kProfileProperty)) {
        const std::vector<unsigned char> profiles = devices_->ReadBytes(device, kProfileProperty);
        if (profiles.size() >= 2)
            return profiles[0] != 0;
    }
    return std::nullopt;
}

bool XInputPointerSettings::WriteAcceleration(bool on)
{
    bool applied = false;
    for (const int device : devices_->DevicesWith(kProfileProperty)) {
        // One flag per profile the driver knows: adaptive first, flat second, others after; exactly
        // one may be set.
        std::vector<unsigned char> profiles = devices_->ReadBytes(device, kProfileProperty);
        if (profiles.size() < 2)
            continue;
        std::fill(profiles.begin(), profiles.end(), 0);
        profiles[on ? 0 : 1] = 1;
        applied |= devices_->WriteBytes(device, kProfileProperty, profiles);
    }
    return applied;
}
