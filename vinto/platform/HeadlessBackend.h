#pragma once
// The in-memory window system: a virtual 1920×1080 screen whose bottom 40 pixels are a panel
// outside the work area, windows that exist only as the layer's records, a manual clock, and the
// window manager's moves done by the layer itself. Input comes from tests through the InputRouter.
// Thread contract: UI thread only.

#include "vinto/platform/Surface.h"
#include "vinto/platform/WindowBackend.h"

#include <memory>
#include <unordered_map>

namespace Vinto {

class HeadlessBackend : public WindowBackend {
public:
    static constexpr int kScreenWidth = 1920;
    static constexpr int kScreenHeight = 1080;
    static constexpr int kPanelHeight = 40;

    // A WindowSystem running on a new headless backend.
    static std::unique_ptr<WindowSystem> CreateSystem();

    void Attach(WindowSystem&) override {}
    Clock::Kind ClockKind() const override { return Clock::Kind::Manual; }
    Rect ScreenRect() const override { return {0, 0, kScreenWidth, kScreenHeight}; }
    Rect WorkArea(Point) const override { return {0, 0, kScreenWidth, kScreenHeight - kPanelHeight}; }

    void WindowCreated(const WindowView&) override {}
    void WindowChanged(const WindowView&) override {}
    void WindowDestroyed(WindowHandle) override {}
    void Present(WindowHandle, const Surface&, const Rect&) override {}
    void SetIcon(WindowHandle handle, const Surface& icon) override { icons_[handle] = {icon.Width(), icon.Height()}; }
    void Activate(WindowHandle) override {}
    void SetCursor(CursorShape) override {}
    bool BeginMoveDrag(WindowHandle, Point) override { return false; }
    void GrabPointer(WindowHandle handle) override { grab_ = handle; }
    void SetClipboardText(const std::wstring& text) override { clipboard_ = text; }
    std::wstring ClipboardText() override { return clipboard_; }
    void MarkWindow(WindowHandle handle, const std::wstring& name) override { marks_[name] = handle; }
    bool DockInTray(WindowHandle handle) override
    {
        if (trayAvailable_)
            docked_ = handle;
        return trayAvailable_;
    }
    bool StartRawInput() override { return rawInputAvailable_; }
    void StopRawInput() override {}
    unsigned long KeysymForVirtualKey(uint32_t) override { return 0; }

    int EventFd() const override { return -1; }
    void Pump() override {}

    WindowHandle PointerGrab() const { return grab_; }
    // Tests play a desktop without raw input.
    void SetRawInputAvailable(bool available) { rawInputAvailable_ = available; }
    // Tests play a desktop with a system tray; the window docked last, or 0.
    void SetTrayAvailable(bool available) { trayAvailable_ = available; }
    WindowHandle DockedWindow() const { return docked_; }
    // The window last marked with `name`, or 0.
    WindowHandle MarkedWindow(const std::wstring& name) const
    {
        auto it = marks_.find(name);
        return it == marks_.end() ? 0 : it->second;
    }
    // The size of the icon last given to the window; empty when it has none.
    Size IconSize(WindowHandle handle) const
    {
        auto it = icons_.find(handle);
        return it == icons_.end() ? Size{} : it->second;
    }

private:
    WindowHandle grab_ = 0;
    bool rawInputAvailable_ = true;
    bool trayAvailable_ = false;
    WindowHandle docked_ = 0;
    std::wstring clipboard_;
    std::unordered_map<std::wstring, WindowHandle> marks_;
    std::unordered_map<WindowHandle, Size> icons_;
};

} // namespace Vinto
