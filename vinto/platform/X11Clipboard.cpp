#include "vinto/platform/X11Clipboard.h"

#include "vinto/platform/Utf8.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <poll.h>

namespace Vinto {

namespace {

struct PropertyFree {
    void operator()(unsigned char* p) const { XFree(p); }
};

constexpr int kReadTimeoutMs = 1000;

} // namespace

X11Clipboard::X11Clipboard(Display* display) : display_(display)
{
    const ::Window root = DefaultRootWindow(display);
    window_ = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
    clipboard_ = XInternAtom(display, "CLIPBOARD", False);
    targets_ = XInternAtom(display, "TARGETS", False);
    utf8_ = XInternAtom(display, "UTF8_STRING", False);
    property_ = XInternAtom(display, "_VINTO_CLIPBOARD", False);
}

X11Clipboard::~X11Clipboard() { XDestroyWindow(display_, window_); }

void X11Clipboard::SetText(const std::wstring& text)
{
    owned_ = WideToUtf8(text);
    XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
    owner_ = XGetSelectionOwner(display_, clipboard_) == window_;
}

std::wstring X11Clipboard::Text()
{
    if (owner_)
        return Utf8ToWide(owned_);
    if (XGetSelectionOwner(display_, clipboard_) == None)
        return {};
    XDeleteProperty(display_, window_, property_);
    XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
    XFlush(display_);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
    XEvent e;
    while (!XCheckTypedWindowEvent(display_, window_, SelectionNotify, &e)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return {};
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
        XPending(display_);   // reads what arrived into Xlib's queue
    }
    if (e.xselection.property == None)
        return {};
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // Texts past 1 MiB are not worth pasting into a one-line box.
    if (XGetWindowProperty(display_, window_, property_, 0, 1 << 18, True, AnyPropertyType, &type, &format, &count, &after,
                           &data) != Success || !data)
        return {};
    std::unique_ptr<unsigned char, PropertyFree> owned(data);
    if (format != 8 || type != utf8_)
        return {};
    return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), count));
}

bool X11Clipboard::HandleEvent(const XEvent& e)
{
    if (e.type == SelectionClear && e.xselectionclear.window == window_) {
        owner_ = false;
        owned_.clear();
        return true;
    }
    if (e.type != SelectionRequest || e.xselectionrequest.owner != window_)
        return false;
    const XSelectionRequestEvent& request = e.xselectionrequest;
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    // Old clients name no property; the target's name is used then.
    const Atom property = request.property == None ? request.target : request.property;
    reply.xselection.property = None;
    if (owner_ && request.selection == clipboard_) {
        if (request.target == targets_) {
            const Atom offered[] = {targets_, utf8_};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 2);
            reply.xselection.property = property;
        } else if (request.target == utf8_) {
            XChangeProperty(display_, request.requestor, property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(owned_.data()), static_cast<int>(owned_.size()));
            reply.xselection.property = property;
        }
    }
    XSendEvent(display_, request.requestor, False, 0, &reply);
    return true;
}

} // namespace Vinto
