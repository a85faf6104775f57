#pragma once
// Starts an executable file as its own detached process in its folder; anything else is handed to
// the desktop's opener, xdg-open, for the application the user has chosen for that kind of file.
// Thread contract: stateless; callable from any thread.

#include "update/InstallerLauncher.h"

class DesktopLauncher : public InstallerLauncher {
public:
    bool Launch(const std::filesystem::path& installer) override;
};
