// vintodemo: shows the toolkit's demo dialog.
//   vintodemo --screenshot FILE   renders it headless (with its menu and balloon open) into a PNG
//   vintodemo [--seconds N]       shows it on the X server, closing after N seconds when given
#include "DemoDialog.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/platform/X11Backend.h"
#include "vinto/window/MAirBladder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace Vinto;

namespace {

// Every shown window of the run drawn where it lies on the screen, cropped to their union.
Surface ComposeScreen(WindowSystem& system, const std::vector<WindowHandle>& windows)
{
    Rect all;
    for (WindowHandle w : windows)
        if (system.IsWindowVisible(w))
            all = all.Union(system.GetWindowRect(w));
    Surface shot(all.Width(), all.Height());
    if (!shot.IsValid())
        return shot;
    Canvas canvas(shot);
    canvas.FillSolidRect(shot.Bounds(), 0xFF101010);
    for (WindowHandle w : windows) {
        if (!system.IsWindowVisible(w))
            continue;
        const Surface picture = system.CaptureWindow(w);
        const Rect at = system.GetWindowRect(w).Offset(-all.left, -all.top);
        canvas.DrawSurface(picture, picture.Bounds(), at);
    }
    return shot;
}

int Screenshot(const char* path)
{
    auto system = HeadlessBackend::CreateSystem();
    DemoDialog dialog;
    if (dialog.Create(0, L"Vinto demo", WS_POPUP, 0, Rect::FromSize(0, 0, 420, 320)) == 0)
        return 1;
    dialog.CenterWindow();
    dialog.ShowWindow(SW_SHOW);
    system->RunUntilIdle();
    dialog.ShowTip(201);
    const Rect r = dialog.GetWindowRect();
    dialog.OpenMenu({r.left + 60, r.top + 170});
    system->RunUntilIdle();

    std::vector<WindowHandle> windows{dialog.GetSafeHwnd()};
    if (MAirBladder* balloon = dialog.GetPaintManager().GetAirBladder())
        windows.push_back(balloon->GetSafeHwnd());
    windows.push_back(system->GetActiveWindow());   // the menu
    const Surface shot = ComposeScreen(*system, windows);
    if (!shot.SavePng(path)) {
        std::fprintf(stderr, "vintodemo: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int Show(int seconds)
{
    auto system = X11Backend::CreateSystem();
    if (system == nullptr) {
        std::fprintf(stderr, "vintodemo: no X server\n");
        return 1;
    }
    DemoDialog dialog;
    if (dialog.Create(0, L"Vinto demo", WS_POPUP, 0, Rect::FromSize(0, 0, 420, 320)) == 0)
        return 1;
    dialog.CenterWindow();
    dialog.ShowWindow(SW_SHOW);
    if (seconds > 0) {
        dialog.SetTimer(DemoDialog::kQuitTimer, static_cast<uint32_t>(seconds) * 1000);
        dialog.ShowTip(201);
    }
    Message m;
    while (system->GetMessage(m))
        if (!dialog.PreTranslateMessage(m))
            system->DispatchMessage(m);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0)
        return Screenshot(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--seconds") == 0)
        return Show(std::atoi(argv[2]));
    if (argc == 1)
        return Show(0);
    std::fprintf(stderr, "usage: vintodemo [--screenshot FILE | --seconds N]\n");
    return 2;
}
