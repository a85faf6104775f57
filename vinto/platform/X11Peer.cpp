#include "vinto/platform/X11Peer.h"

#include "vinto/platform/Utf8.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace Vinto {

namespace {

struct XFreeDeleter {
    void operator()(void* p) const { XFree(p); }
};

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

} // namespace

void X11Peer::DisplayClose::operator()(Display* d) const { XCloseDisplay(d); }

X11Peer::X11Peer(Display* display) : display_(display) {}
X11Peer::~X11Peer() = default;

std::unique_ptr<X11Peer> X11Peer::Open(const char* displayName)
{
    // A window that vanishes between finding and reaching it is an error to cope with, not to die of.
    XSetErrorHandler(IgnoreXError);
    Display* d = XOpenDisplay(displayName);
    return d ? std::unique_ptr<X11Peer>(new X11Peer(d)) : nullptr;
}

bool X11Peer::HasMark(unsigned long window, unsigned long atom) const
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display_.get(), window, atom, 0, 1, False, AnyPropertyType, &type, &format,
                                          &count, &after, &data);
    std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    return status == Success && type != None;
}

unsigned long X11Peer::FindMarkedWindow(const std::wstring& name) const
{
    Display* d = display_.get();
    const std::string utf8 = WideToUtf8(name);
    if (utf8.empty())
        return 0;
    // No window can carry a mark whose atom was never made.
    const Atom mark = XInternAtom(d, utf8.c_str(), True);
    if (mark == None)
        return 0;
    const ::Window root = DefaultRootWindow(d);

    std::vector<::Window> candidates;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, root, XInternAtom(d, "_NET_CLIENT_LIST", False), 0, 65536, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success && data) {
        std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
        if (format == 32) {
            const ::Window* list = reinterpret_cast<const ::Window*>(data);
            candidates.assign(list, list + count);
        }
    }
    if (candidates.empty()) {
        ::Window rootReturn = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int n = 0;
        if (XQueryTree(d, root, &rootReturn, &parent, &children, &n) && children) {
            std::unique_ptr<::Window, XFreeDeleter> owned(children);
            candidates.assign(children, children + n);
        }
    }
    for (::Window w : candidates)
        if (HasMark(w, mark))
            return w;
    return 0;
}

bool X11Peer::Raise(unsigned long window) const
{
    Display* d = display_.get();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes))
        return false;
    // The program shows the window itself (it may have hidden it to the tray); the window manager
    // then brings it to the front.
    XEvent restore{};
    restore.xclient.type = ClientMessage;
    restore.xclient.window = window;
    restore.xclient.message_type = XInternAtom(d, "_VINTO_RESTORE", False);
    restore.xclient.format = 32;
    XSendEvent(d, window, False, NoEventMask, &restore);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1;   // from an application
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
    return true;
}

bool X11Peer::Post(unsigned long window, uint32_t message, uint32_t wParam, int32_t lParam) const
{
    Display* d = display_.get();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "_VINTO_MESSAGE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(message);
    e.xclient.data.l[1] = static_cast<long>(wParam);
    e.xclient.data.l[2] = static_cast<long>(lParam);
    const Status sent = XSendEvent(d, window, False, NoEventMask, &e);
    XSync(d, False);
    return sent != 0;
}

} // namespace Vinto
