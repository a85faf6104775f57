#pragma once
// File dialogs shown by the desktop's xdg-desktop-portal (org.freedesktop.portal.FileChooser on the
// session bus): the dialog a sandboxed or Wayland-era desktop expects every program to use.
// Thread contract: any thread; a call waits on a main context of its own, so it does not depend on
// (or run) anyone else's main loop.

#include "app/shell/FileDialogs.h"
#include "app/shell/GlibHandles.h"

class PortalFileDialogs : public FileDialogs {
public:
    // Uses the given bus connection, or the session bus when it is null.
    explicit PortalFileDialogs(GDBusConnection* connection = nullptr);

    // Unavailable when there is no session bus or no portal answers the call.
    FileDialogAnswer Ask(const FileDialogRequest& request) override;

private:
    GObjectPtr<GDBusConnection> connection_;
};
