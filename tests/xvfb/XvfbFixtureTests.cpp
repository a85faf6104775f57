// The end-to-end suites rely on the fixture's private server: it must be reachable and have the
// screen size the window layer's tests assume.
#include <cstdlib>
#include <gtest/gtest.h>

// Xlib defines macros (None, Bool) that break gtest's headers: it comes last.
#include <X11/Xlib.h>

TEST(XvfbFixture, ServesAPrivateDisplay)
{
    const char* name = std::getenv("DISPLAY");
    ASSERT_NE(name, nullptr);
    Display* display = XOpenDisplay(name);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(DisplayWidth(display, DefaultScreen(display)), 1920);
    EXPECT_EQ(DisplayHeight(display, DefaultScreen(display)), 1080);
    XCloseDisplay(display);
}
