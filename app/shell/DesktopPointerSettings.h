#pragma once
// Picks the pointer-settings backend of the running desktop at start: GSettings on GNOME, libinput
// device properties on another X11 desktop whose pointers have them, and otherwise the plain
// PointerSettings, which keeps values without applying them.
// Thread contract: call once, from the thread that starts the program.

#include "app/shell/PointerSettings.h"

#include <memory>
#include <string_view>

// True when a colon-separated XDG_CURRENT_DESKTOP value names GNOME.
bool IsGnomeDesktop(std::string_view currentDesktop);

std::unique_ptr<PointerSettings> CreateDesktopPointerSettings();
