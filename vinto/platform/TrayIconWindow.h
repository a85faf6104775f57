#pragma once
// The tray icon as a small window docked in an XEmbed system tray, for desktops without a
// StatusNotifierWatcher: it draws the icon scaled to the size the tray gives it and turns the
// clicks on it into the owner's tray callback message (wParam the icon's id, lParam the mouse
// message). It never takes the activation.
// Thread contract: UI thread only.

#include "vinto/platform/PaintedWindow.h"
#include "vinto/platform/Surface.h"

namespace Vinto {

class TrayIconWindow : public PaintedWindow {
public:
    static constexpr int kSize = 24;   // until the tray sizes it

    TrayIconWindow(WindowSystem& system, WindowHandle owner, uint32_t id, uint32_t callbackMessage);

    // Makes the window and hands it to the tray; false when there is no tray.
    bool Dock();
    void SetIcon(const Surface& icon);

protected:
    void Paint(Canvas& canvas, const Rect& client) override;
    bool OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;

private:
    WindowHandle owner_;
    uint32_t id_;
    uint32_t callbackMessage_;
    Surface icon_;
};

} // namespace Vinto
