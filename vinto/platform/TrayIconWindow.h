#pragma once
// The tray icon as a small window docked in an XEmbed system tray, for desktops without a
// StatusNotifierWatcher: it draws the icon scaled to the size the tray gives it and turns the
// clicks on it into the owner's tray callback message (wParam the icon's id, lParam the mouse
// message). It never takes the activation.
// Thread contract: UI thread only.

#include "vinto/platform/Surface.h"
#include "vinto/platform/WindowProcedure.h"

namespace Vinto {

class WindowSystem;

class TrayIconWindow : public WindowProcedure {
public:
    static constexpr int kSize = 24;   // until the tray sizes it

    TrayIconWindow(WindowSystem& system, WindowHandle owner, uint32_t id, uint32_t callbackMessage);
    ~TrayIconWindow() override;
    TrayIconWindow(const TrayIconWindow&) = delete;
    TrayIconWindow& operator=(const TrayIconWindow&) = delete;

    // Makes the window and hands it to the tray; false when there is no tray.
    bool Dock();
    WindowHandle Handle() const { return handle_; }
    void SetIcon(const Surface& icon);

    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    void Paint();

    WindowSystem& system_;
    WindowHandle owner_;
    uint32_t id_;
    uint32_t callbackMessage_;
    WindowHandle handle_ = 0;
    Surface icon_;
};

} // namespace Vinto
