// The clipboard on the private Xvfb, against another X client: it reads what the program put
// there, and the program reads what the other client owns; an owner that never answers costs an
// empty paste, not a hang.
#include "RecordingWindow.h"
#include "RunUntil.h"

#include "vinto/platform/X11Backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

// Xlib defines macros that break gtest's headers: it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

class X11ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        system = X11Backend::CreateSystem();
        ASSERT_NE(system, nullptr) << "no X display";
        other = XOpenDisplay(nullptr);
        ASSERT_NE(other, nullptr);
        otherWindow = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
        clipboard = XInternAtom(other, "CLIPBOARD", False);
        utf8 = XInternAtom(other, "UTF8_STRING", False);
    }
    void TearDown() override
    {
        if (other)
            XCloseDisplay(other);
    }

    std::unique_ptr<WindowSystem> system;
    Display* other = nullptr;
    ::Window otherWindow = 0;
    Atom clipboard = 0;
    Atom utf8 = 0;
};

TEST_F(X11ClipboardTest, AnotherClientPastesWhatTheProgramCopied)
{
    RecordingWindow window(*system);
    window.CreateAt({0, 0, 10, 10});
    system->SetClipboardText(L"Grüße 42");

    const Atom property = XInternAtom(other, "PASTED", False);
    XConvertSelection(other, clipboard, utf8, property, otherWindow, CurrentTime);
    XFlush(other);
    std::string pasted;
    bool answered = false;
    // The program answers from its loop; the other client looks for the answer meanwhile.
    ASSERT_TRUE(VintoTest::RunUntil(*system, window.handle, [&] {
        XEvent e;
        if (!XCheckTypedWindowEvent(other, otherWindow, SelectionNotify, &e))
            return false;
        answered = true;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (e.xselection.property != None &&
            XGetWindowProperty(other, otherWindow, property, 0, 1024, True, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success && data) {
            pasted.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return true;
    }));
    EXPECT_TRUE(answered);
    EXPECT_EQ(pasted, "Grüße 42");
    EXPECT_EQ(system->GetClipboardText(), L"Grüße 42");   // still ours
}

TEST_F(X11ClipboardTest, TheProgramPastesWhatAnotherClientOwns)
{
    XSetSelectionOwner(other, clipboard, otherWindow, CurrentTime);
    XSync(other, False);
    // The other client answers one request on a thread of its own while the program waits.
    std::thread owner([&] {
        XEvent e;
        do {
            XNextEvent(other, &e);
        } while (e.type != SelectionRequest);
        const XSelectionRequestEvent& r = e.xselectionrequest;
        const std::string text = "from elsewhere";
        XChangeProperty(other, r.requestor, r.property, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = r.requestor;
        reply.xselection.selection = r.selection;
        reply.xselection.target = r.target;
        reply.xselection.property = r.property;
        reply.xselection.time = r.time;
        XSendEvent(other, r.requestor, False, 0, &reply);
        XFlush(other);
    });
    const std::wstring pasted = system->GetClipboardText();
    owner.join();
    EXPECT_EQ(pasted, L"from elsewhere");
}

TEST_F(X11ClipboardTest, AnOwnerThatNeverAnswersGivesAnEmptyPaste)
{
    XSetSelectionOwner(other, clipboard, otherWindow, CurrentTime);
    XSync(other, False);
    EXPECT_EQ(system->GetClipboardText(), L"");
}

} // namespace
