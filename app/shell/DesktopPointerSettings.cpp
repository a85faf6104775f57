#include "app/shell/DesktopPointerSettings.h"

#include "app/shell/GnomePointerSettings.h"
#include "app/shell/X11PointerProperties.h"
#include "app/shell/XInputPointerSettings.h"

#include <cstdlib>

bool IsGnomeDesktop(std::string_view currentDesktop)
{
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        if (currentDesktop.substr(0, colon) == "GNOME")
            return true;
        if (colon == std::string_view::npos)
            break;
        currentDesktop.remove_prefix(colon + 1);
    }
    return false;
}

std::unique_ptr<PointerSettings> CreateDesktopPointerSettings()
{
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (desktop && IsGnomeDesktop(desktop)) {
        if (std::unique_ptr<GnomePointerSettings> gnome = GnomePointerSettings::Create())
            return gnome;
    }
    if (std::unique_ptr<X11PointerProperties> x11 = X11PointerProperties::Create()) {
        if (!x11->DevicesWith(XInputPointerSettings::kSpeedProperty).empty())
            return std::make_unique<XInputPointerSettings>(std::move(x11));
    }
    return std::make_unique<PointerSettings>();
}
