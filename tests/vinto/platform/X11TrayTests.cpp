// The tray icon on the private Xvfb with a fake XEmbed system tray and a session bus without a
// StatusNotifierWatcher: the icon docks, the tray takes it in, it shows the icon, and a click on
// it reaches the main window as the tray callback message.
#include "RecordingWindow.h"
#include "RunUntil.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/TrayIcon.h"
#include "vinto/platform/X11Backend.h"

#include <gtest/gtest.h>

#include <gio/gio.h>

#include <cstdlib>
#include <string>

// Xlib defines macros that break gtest's headers: it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace Vinto;
using VintoTest::Received;
using VintoTest::RecordingWindow;

namespace {

constexpr uint32_t kCallback = 1690;
constexpr uint32_t kIconId = 109;
constexpr int kTrayX = 600;
constexpr int kTrayY = 400;

// The desktop's side of XEmbed: owns the tray selection and takes in every icon asked to dock.
class FakeSystemTray {
public:
    FakeSystemTray() : display_(XOpenDisplay(nullptr))
    {
        const ::Window root = DefaultRootWindow(display_);
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.background_pixel = 0;
        embedder_ = XCreateWindow(display_, root, kTrayX, kTrayY, 24, 24, 0, CopyFromParent, InputOutput, CopyFromParent,
                                  CWOverrideRedirect | CWBackPixel, &a);
        XMapWindow(display_, embedder_);
        owner_ = XCreateSimpleWindow(display_, root, 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display_, XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False), owner_, CurrentTime);
        opcode_ = XInternAtom(display_, "_NET_SYSTEM_TRAY_OPCODE", False);
        XSync(display_, False);
    }
    ~FakeSystemTray() { XCloseDisplay(display_); }

    // Handles what arrived; the icon taken in, if any.
    void Serve()
    {
        while (XPending(display_)) {
            XEvent e;
            XNextEvent(display_, &e);
            if (e.type == ClientMessage && e.xclient.message_type == opcode_ && e.xclient.data.l[1] == 0) {
                docked_ = static_cast<::Window>(e.xclient.data.l[2]);
                XReparentWindow(display_, docked_, embedder_, 0, 0);
                XResizeWindow(display_, docked_, 24, 24);
                XMapWindow(display_, docked_);
                XSync(display_, False);
            }
        }
    }
    ::Window Docked() const { return docked_; }
    ::Window Embedder() const { return embedder_; }

private:
    Display* display_;
    ::Window embedder_ = 0;
    ::Window owner_ = 0;
    Atom opcode_ = 0;
    ::Window docked_ = 0;
};

TEST(X11TrayTest, IconDocksShowsAndReportsClicks)
{
    // A session bus on which no watcher runs; starting it unsets DISPLAY, which the test needs.
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    GTestDBus* bus = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(bus);
    setenv("DISPLAY", display.c_str(), 1);
    FakeSystemTray tray;
    {
        std::unique_ptr<WindowSystem> system = X11Backend::CreateSystem();
        ASSERT_NE(system, nullptr) << "no X display";
        auto& backend = dynamic_cast<X11Backend&>(system->Backend());
        RecordingWindow window(*system, {kCallback});
        window.CreateAt({100, 100, 300, 300});

        std::unique_ptr<TrayIcon> icon = TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro");
        ASSERT_NE(icon, nullptr);
        const WindowHandle docked = icon->DockedWindow();
        ASSERT_NE(docked, 0u);
        Surface picture(8, 8);
        Canvas(picture).FillSolidRect(picture.Bounds(), 0xFFFF0000);
        icon->SetIcon(picture);

        const ::Window xid = backend.NativeWindow(docked);
        Display* d = backend.NativeDisplay();
        auto viewable = [&] {
            XWindowAttributes attrs{};
            return XGetWindowAttributes(d, xid, &attrs) && attrs.map_state == IsViewable;
        };
        ASSERT_TRUE(VintoTest::RunUntil(*system, window.handle, [&] {
            tray.Serve();
            return tray.Docked() == xid && viewable();
        }));
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(d, xid, &root, &parent, &children, &count);
        XFree(children);
        EXPECT_EQ(parent, tray.Embedder());

        auto red = [&] {
            XImage* image = XGetImage(d, xid, 12, 12, 1, 1, AllPlanes, ZPixmap);
            if (!image)
                return false;
            const unsigned long pixel = XGetPixel(image, 0, 0);
            XDestroyImage(image);
            return (pixel & 0xFFFFFF) == 0xFF0000;
        };
        EXPECT_TRUE(VintoTest::RunUntil(*system, window.handle, red));

        ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(kTrayX + 5) + " " + std::to_string(kTrayY + 5) +
                               " click 1").c_str()),
                  0);
        ASSERT_TRUE(VintoTest::RunUntil(*system, window.handle, [&] { return window.log.size() >= 2; }));
        const std::vector<Received> expected = {{window.handle, kCallback, kIconId, WM_LBUTTONDOWN},
                                                {window.handle, kCallback, kIconId, WM_LBUTTONUP}};
        EXPECT_EQ(window.log, expected);
    }
    g_test_dbus_down(bus);
    g_object_unref(bus);
}

} // namespace
