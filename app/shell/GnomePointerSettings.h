#pragma once
// Pointer settings of a GNOME desktop, through GSettings "org.gnome.desktop.peripherals.mouse": speed
// (-1..1), accel-profile ("flat" is acceleration off, "default" and "adaptive" are on) and double-click
// (ms). GNOME has no wheel-lines setting, so that value is kept and reported not applied.
// Thread contract: any thread, like PointerSettings.

#include "app/shell/GlibHandles.h"
#include "app/shell/PointerSettings.h"

#include <memory>

class GnomePointerSettings : public PointerSettings {
public:
    static constexpr char kSchema[] = "org.gnome.desktop.peripherals.mouse";

    // Null when the schema is not installed.
    static std::unique_ptr<GnomePointerSettings> Create();

protected:
    std::optional<int> ReadSpeed() override;
    bool WriteSpeed(int speed) override;
    std::optional<bool> ReadAcceleration() override;
    bool WriteAcceleration(bool on) override;
    std::optional<int> ReadDoubleClickTime() override;
    bool WriteDoubleClickTime(int ms) override;

private:
    explicit GnomePointerSettings(GSettings* settings) : settings_(settings) {}
    // Pushes a write to the settings daemon now rather than at the next idle moment of a main loop.
    bool Written(gboolean accepted);

    GObjectPtr<GSettings> settings_;
};
