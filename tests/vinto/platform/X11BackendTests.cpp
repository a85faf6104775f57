// The X11 backend on the private Xvfb: windows map and show what they paint, xdotool's clicks and
// keys arrive as messages, a popup closes on a press outside it, layered windows get a 32-bit
// visual, and other programs' client messages reach the queue.
#include "RecordingWindow.h"
#include "RunUntil.h"
#include "XSettingsBytes.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/X11Backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Xlib defines macros (None, Bool, Status) that break gtest's headers: it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

class X11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        system = X11Backend::CreateSystem();
        ASSERT_NE(system, nullptr) << "no X display";
        backend = &dynamic_cast<X11Backend&>(system->Backend());
    }

    bool RunUntil(WindowHandle anyWindow, const std::function<bool()>& done, uint64_t timeoutMs = 10000)
    {
        return VintoTest::RunUntil(*system, anyWindow, done, timeoutMs);
    }

    bool Viewable(WindowHandle window) const
    {
        XWindowAttributes attrs{};
        return XGetWindowAttributes(backend->NativeDisplay(), backend->NativeWindow(window), &attrs) &&
               attrs.map_state == IsViewable;
    }

    static void Xdotool(const std::string& arguments)
    {
        ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
    }

    std::unique_ptr<WindowSystem> system;
    X11Backend* backend = nullptr;
};

void PaintRed(RecordingWindow& window, WindowSystem& system)
{
    window.On(WM_PAINT, [&window, &system](uintptr_t, intptr_t) {
        PaintSession paint = system.BeginPaint(window.handle);
        Canvas(paint.GetSurface()).FillSolidRect(paint.UpdateRect(), 0xFFFF0000);
        window.paints.push_back(paint.UpdateRect());
        return 0;
    });
}

TEST_F(X11Test, WindowMapsAndShowsWhatItPainted)
{
    RecordingWindow window(*system, {WM_PAINT});
    PaintRed(window, *system);
    window.CreateAt({100, 100, 300, 250});
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle) && !window.paints.empty(); }));
    system->RunUntilIdle();
    XSync(backend->NativeDisplay(), False);

    XImage* image = XGetImage(backend->NativeDisplay(), backend->NativeWindow(window.handle), 0, 0, 200, 150, AllPlanes,
                              ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(XGetPixel(image, 199, 149) & 0xFFFFFF, 0xFF0000u);
    XDestroyImage(image);
}

TEST_F(X11Test, ClicksAndKeysFromXdotoolArriveAsMessages)
{
    RecordingWindow window(*system, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR});
    window.CreateAt({200, 200, 400, 350});
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));
    system->RunUntilIdle();

    Xdotool("mousemove --sync 250 260 click 1");
    ASSERT_TRUE(RunUntil(window.handle, [&] { return window.log.size() >= 2; }));
    ASSERT_EQ(window.log[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(window.log[0].lParam, MakeLParam(50, 60));
    EXPECT_EQ(window.log[1].message, WM_LBUTTONUP);

    window.log.clear();
    Xdotool("key a");
    ASSERT_TRUE(RunUntil(window.handle, [&] { return window.log.size() >= 2; }));
    EXPECT_EQ(window.log[0].message, WM_KEYDOWN);
    EXPECT_EQ(window.log[0].wParam, uintptr_t('A'));
    EXPECT_EQ(window.log[1].message, WM_CHAR);
    EXPECT_EQ(window.log[1].wParam, uintptr_t('a'));
}

TEST_F(X11Test, CaptionDragMovesTheWindowWithoutAWindowManager)
{
    RecordingWindow window(*system, {WM_MOVE});
    bool pressed = false;
    window.On(WM_LBUTTONDOWN, [&](uintptr_t, intptr_t l) {
        pressed = true;
        const Point screen = system->ClientToScreen(window.handle, {SignedLow(l), SignedHigh(l)});
        return system->SendMessage(window.handle, WM_NCLBUTTONDOWN, HTCAPTION, MakeLParam(screen.x, screen.y));
    });
    window.CreateAt({700, 500, 900, 600});
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));
    system->RunUntilIdle();

    Xdotool("mousemove --sync 710 510 mousedown 1");
    ASSERT_TRUE(RunUntil(window.handle, [&] { return pressed; }));
    Xdotool("mousemove --sync 760 540 mouseup 1");
    EXPECT_TRUE(RunUntil(window.handle, [&] { return system->GetWindowRect(window.handle).left == 750; }));
    EXPECT_EQ(system->GetWindowRect(window.handle), (Rect{750, 530, 950, 630}));
}

TEST_F(X11Test, PopupClosesOnAPressOutsideIt)
{
    RecordingWindow main(*system), popup(*system);
    main.CreateAt({100, 100, 500, 400});
    ASSERT_TRUE(RunUntil(main.handle, [&] { return Viewable(main.handle); }));
    // Like the toolkit's popups: losing activation closes it.
    popup.On(WM_NCACTIVATE, [&](uintptr_t active, intptr_t) {
        if (!active)
            system->PostMessage(popup.handle, WM_CLOSE, 0, 0);
        return 1;
    });
    popup.CreateAt({150, 150, 300, 300}, WS_POPUP | WS_VISIBLE, main.handle, 0, WS_EX_TOOLWINDOW);
    ASSERT_TRUE(RunUntil(main.handle, [&] { return Viewable(popup.handle); }));
    system->RunUntilIdle();
    EXPECT_EQ(system->GetActiveWindow(), popup.handle);

    Xdotool("mousemove --sync 1500 900 click 1");
    EXPECT_TRUE(RunUntil(main.handle, [&] { return !system->IsWindow(popup.handle); }));
}

TEST_F(X11Test, LayeredWindowMapsWithA32BitVisual)
{
    RecordingWindow window(*system);
    window.CreateAt({600, 100, 700, 200}, WS_POPUP | WS_VISIBLE, 0, 0, WS_EX_LAYERED);
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));
    XWindowAttributes attrs{};
    ASSERT_TRUE(XGetWindowAttributes(backend->NativeDisplay(), backend->NativeWindow(window.handle), &attrs));
    EXPECT_EQ(attrs.depth, 32);
    EXPECT_EQ(backend->NativeDepth(window.handle), 32);
}

TEST_F(X11Test, LayeredWindowWithoutCompositorIsCutToItsVisiblePixels)
{
    RecordingWindow window(*system, {WM_PAINT});
    window.On(WM_PAINT, [&](uintptr_t, intptr_t) {
        PaintSession paint = system->BeginPaint(window.handle);
        Canvas canvas(paint.GetSurface());
        canvas.Clear(paint.GetSurface().Bounds());
        canvas.FillSolidRect({40, 10, 100, 90}, 0x80FFFFFF);   // the left part stays transparent
        window.paints.push_back(paint.UpdateRect());
        return 0;
    });
    window.CreateAt({800, 100, 900, 200}, WS_POPUP | WS_VISIBLE, 0, 0, WS_EX_LAYERED);
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle) && !window.paints.empty(); }));
    system->RunUntilIdle();

    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(backend->NativeDisplay(), backend->NativeWindow(window.handle), ShapeBounding,
                                            &count, &ordering);
    ASSERT_NE(rects, nullptr);
    Rect box{1000, 1000, -1000, -1000};
    for (int i = 0; i < count; ++i)
        box = {std::min<int>(box.left, rects[i].x), std::min<int>(box.top, rects[i].y),
               std::max<int>(box.right, rects[i].x + rects[i].width), std::max<int>(box.bottom, rects[i].y + rects[i].height)};
    XFree(rects);
    EXPECT_EQ(box, (Rect{40, 10, 100, 90}));
}

TEST_F(X11Test, WindowIconIsPublishedForTheDesktop)
{
    RecordingWindow window(*system);
    window.CreateAt({600, 300, 700, 400});
    Surface icon(2, 1);
    icon.SetPixel(0, 0, 0xFFFF0000);
    icon.SetPixel(1, 0, 0x80000080);
    ASSERT_TRUE(system->SetWindowIcon(window.handle, icon));
    system->RunUntilIdle();

    Display* d = backend->NativeDisplay();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(d, backend->NativeWindow(window.handle), XInternAtom(d, "_NET_WM_ICON", False), 0, 16,
                                 False, AnyPropertyType, &type, &format, &count, &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    // Xlib hands format-32 items back as longs sign-extended from 32 bits.
    const long* values = reinterpret_cast<const long*>(data);
    std::vector<uint32_t> got;
    for (unsigned long i = 0; i < count; ++i)
        got.push_back(static_cast<uint32_t>(values[i]));
    XFree(data);
    EXPECT_EQ(got, (std::vector<uint32_t>{2, 1, 0xFFFF0000, 0x800000FF}));
}

TEST_F(X11Test, DoubleClickAndCaretTimesComeFromTheDesktopSettings)
{
    const uint32_t before = system->GetDoubleClickTime();
    // Another client plays the settings manager.
    Display* manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    const ::Window owner = XCreateSimpleWindow(manager, DefaultRootWindow(manager), 0, 0, 1, 1, 0, 0, 0);
    const Atom settings = XInternAtom(manager, "_XSETTINGS_SETTINGS", False);
    const std::vector<uint8_t> bytes =
        VintoTest::SettingsBytes(false).String("Net/ThemeName", "Adwaita")
                                           .Integer("Net/DoubleClickTime", 321)
                                           .Integer("Net/CursorBlinkTime", 1000)
                                           .Finish();
    XChangeProperty(manager, owner, settings, settings, 8, PropModeReplace, bytes.data(), static_cast<int>(bytes.size()));
    XSetSelectionOwner(manager, XInternAtom(manager, "_XSETTINGS_S0", False), owner, CurrentTime);
    XSync(manager, False);

    system.reset();
    system = X11Backend::CreateSystem();
    ASSERT_NE(system, nullptr);
    backend = &dynamic_cast<X11Backend&>(system->Backend());
    EXPECT_EQ(system->GetDoubleClickTime(), 321u);
    EXPECT_EQ(system->GetCaretBlinkTime(), 500u);
    EXPECT_NE(before, 321u);
    XCloseDisplay(manager);
}

TEST_F(X11Test, MinimisingAndRestoringByTheWindowManagerIsFollowed)
{
    RecordingWindow window(*system, {WM_SIZE});
    window.CreateAt({300, 600, 500, 700});
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));
    window.log.clear();

    // Another client stands in for the window manager.
    Display* manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    XUnmapWindow(manager, backend->NativeWindow(window.handle));
    XFlush(manager);
    ASSERT_TRUE(RunUntil(window.handle, [&] { return system->IsIconic(window.handle); }));
    XMapWindow(manager, backend->NativeWindow(window.handle));
    XFlush(manager);
    ASSERT_TRUE(RunUntil(window.handle, [&] { return !system->IsIconic(window.handle) && Viewable(window.handle); }));
    XCloseDisplay(manager);

    ASSERT_EQ(window.log.size(), 2u);
    EXPECT_EQ(window.log[0].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(window.log[1].wParam, SIZE_RESTORED);
    EXPECT_EQ(system->GetWindowRect(window.handle), (Rect{300, 600, 500, 700}));

    // Restoring from the program's side maps it again too.
    system->ShowWindow(window.handle, SW_MINIMIZE);
    system->ShowWindow(window.handle, SW_RESTORE);
    EXPECT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));
}

TEST_F(X11Test, ClientMessagesFromOtherProgramsReachTheQueue)
{
    RecordingWindow window(*system, {WM_USER + 1292, WM_CLOSE});
    window.CreateAt({100, 500, 200, 600});
    ASSERT_TRUE(RunUntil(window.handle, [&] { return Viewable(window.handle); }));

    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    auto send = [&](const char* type, long a, long b, long c) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = backend->NativeWindow(window.handle);
        e.xclient.message_type = XInternAtom(other, type, False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = a;
        e.xclient.data.l[1] = b;
        e.xclient.data.l[2] = c;
        XSendEvent(other, e.xclient.window, False, NoEventMask, &e);
        XFlush(other);
    };
    send("_VINTO_MESSAGE", WM_USER + 1292, 1, -5);
    ASSERT_TRUE(RunUntil(window.handle, [&] { return !window.log.empty(); }));
    EXPECT_EQ(window.log[0].message, WM_USER + 1292);
    EXPECT_EQ(window.log[0].wParam, 1u);
    EXPECT_EQ(window.log[0].lParam, -5);

    send("WM_PROTOCOLS", static_cast<long>(XInternAtom(other, "WM_DELETE_WINDOW", False)), 0, 0);
    EXPECT_TRUE(RunUntil(window.handle, [&] { return !system->IsWindow(window.handle); }));
    XCloseDisplay(other);
}

} // namespace
