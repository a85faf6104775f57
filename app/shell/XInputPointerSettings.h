#pragma once
// Pointer settings of an X11 desktop whose pointers are driven by libinput, through the device
// properties "libinput Accel Speed" (-1..1) and "libinput Accel Profile Enabled" (adaptive, flat, ...).
// Every libinput pointer gets the same values; the first one is read back. X11 has no desktop-wide
// wheel-lines or double-click setting, so those are kept and reported not applied.
// Thread contract: any thread, like PointerSettings.

#include "app/shell/PointerDeviceProperties.h"
#include "app/shell/PointerSettings.h"

#include <memory>

class XInputPointerSettings : public PointerSettings {
public:
    static constexpr char kSpeedProperty[] = "libinput Accel Speed";
    static constexpr char kProfileProperty[] = "libinput Accel Profile Enabled";

    explicit XInputPointerSettings(std::unique_ptr<PointerDeviceProperties> devices);

protected:
    std::optional<int> ReadSpeed() override;
    bool WriteSpeed(int speed) override;
    std::optional<bool> ReadAcceleration() override;
    bool WriteAcceleration(bool on) override;

private:
    std::unique_ptr<PointerDeviceProperties> devices_;
};
