#pragma once
// The program's icon in the desktop's notification area, as a StatusNotifierItem on the session
// bus with a com.canonical.dbusmenu menu (what KDE, and GNOME with the AppIndicator extension,
// show), or else as a window docked in an XEmbed system tray (TrayIconWindow). Clicks reach the window as its tray callback message: wParam the icon's id, lParam the
// mouse message a click on a classic tray icon gives (WM_LBUTTONDOWN then WM_LBUTTONUP for
// Activate, the middle button for SecondaryActivate, the right button for ContextMenu); a menu
// item chosen in the desktop's own menu arrives as WM_COMMAND with its command id.
// An XEmbed tray draws no menu: a right click arrives as WM_RBUTTONUP, and the window shows its
// own. Create answers null when the desktop shows no such icons; the caller then keeps its window
// reachable another way (minimising instead of hiding).
// Thread contract: made, changed and destroyed on the UI thread; the bus is served by a thread of
// its own, which only posts messages to the window.

#include "vinto/platform/Message.h"
#include "vinto/platform/Surface.h"
#include "vinto/platform/TrayIconWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace Vinto {

class WindowSystem;

class TrayIcon {
public:
    struct MenuItem {
        uint32_t command = 0;
        std::wstring text;
    };

    // A StatusNotifierItem when a StatusNotifierWatcher registers it within a few seconds, else a
    // docked window when a system tray runs; null when neither is there.
    static std::unique_ptr<TrayIcon> Create(WindowSystem& system, WindowHandle window, uint32_t id,
                                            uint32_t callbackMessage, const std::wstring& title);
    ~TrayIcon();   // removes the icon
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetIcon(const Surface& icon);
    // A docked window has neither tip nor menu of the desktop's drawing; these change nothing there.
    void SetTip(const std::wstring& tip);
    void SetMenu(std::vector<MenuItem> items);
    // The bus name the item is registered under; empty for a docked window.
    std::string ServiceName() const;
    // The docked window; 0 for a StatusNotifierItem.
    WindowHandle DockedWindow() const;

    struct State;

private:
    TrayIcon(std::unique_ptr<State> state, std::unique_ptr<TrayIconWindow> docked);
    std::unique_ptr<State> state_;            // the StatusNotifierItem, or null
    std::unique_ptr<TrayIconWindow> docked_;  // the XEmbed window, or null
};

} // namespace Vinto
