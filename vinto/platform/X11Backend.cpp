#include "vinto/platform/X11Backend.h"

#include "vinto/platform/InputRouter.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/Surface.h"
#include "vinto/platform/Utf8.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/platform/X11Clipboard.h"
#include "vinto/platform/X11KeyMap.h"
#include "vinto/platform/X11RawInput.h"
#include "vinto/platform/XSettings.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
// X.h names a QueryBestSize class "CursorShape"; the layer's enum of that name is meant here.
#undef CursorShape

#include <algorithm>
#include <vector>

namespace Vinto {

namespace {

// Xlib's default handler ends the process; a window that vanished under a request is not worth
// that, so errors are ignored and every request is written to cope with failure.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

struct DisplayClose {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

struct PropertyFree {
    void operator()(unsigned char* p) const { XFree(p); }
};

// An XImage over memory the caller owns: the data pointer is detached before the image goes.
struct ImageDestroy {
    void operator()(XImage* image) const
    {
        image->data = nullptr;
        XDestroyImage(image);
    }
};

constexpr long kEventMask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                            FocusChangeMask;

struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long inputMode;
    unsigned long status;
};

} // namespace

struct X11Backend::Impl {
    std::unique_ptr<Display, DisplayClose> display;
    WindowSystem* system = nullptr;
    int screen = 0;
    ::Window root = 0;
    Visual* argbVisual = nullptr;
    Colormap argbColormap = 0;

    struct Native {
        ::Window xid = 0;
        GC gc = nullptr;
        Visual* visual = nullptr;
        int depth = 0;
        Rect rect;              // as last told to or by X
        bool mapped = false;
        bool wantMapped = false;
        bool overrideRedirect = false;
        bool activatable = true;
        bool layered = false;
        bool child = false;
        bool embedded = false;   // docked in a system tray, which places and maps it
        std::vector<XRectangle> shape;   // the visible part of a layered window without compositor
        uint32_t style = 0;
        std::wstring title;
    };
    std::unordered_map<WindowHandle, Native> windows;
    std::unordered_map<::Window, WindowHandle> byXid;
    WindowHandle pendingFocus = 0;
    WindowHandle popupGrab = 0;
    WindowHandle captureGrab = 0;
    bool hasMoveResize = false;
    bool hasCompositor = false;
    std::unordered_map<int, Cursor> cursors;
    Cursor currentCursor = 0;
    std::vector<uint32_t> scratch;
    std::unique_ptr<X11Clipboard> clipboard;
    std::unique_ptr<X11RawInput> rawInput;

    Atom wmProtocols, wmDeleteWindow, motifHints, netWmName, netWmIcon, utf8String, netMoveResize, netSupported, netWorkArea,
        netActiveWindow, netWindowType, typeNormal, typeDialog, typePopup, vintoMessage, vintoRestore;

    Atom Intern(const char* name) const { return XInternAtom(display.get(), name, False); }
    Display* D() const { return display.get(); }

    Native* Find(WindowHandle h)
    {
        auto it = windows.find(h);
        return it == windows.end() ? nullptr : &it->second;
    }
    WindowHandle HandleOf(::Window xid) const
    {
        auto it = byXid.find(xid);
        return it == byXid.end() ? 0 : it->second;
    }

    void SetTitle(const Native& n)
    {
        const std::string utf8 = WideToUtf8(n.title);
        XChangeProperty(D(), n.xid, netWmName, utf8String, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
        XStoreName(D(), n.xid, utf8.c_str());
    }

    void SetFrame(const Native& n)
    {
        // Windows without a caption draw their own frame; the window manager must not add one.
        MotifHints hints{2, 0, (n.style & WS_CAPTION) ? 1ul : 0ul, 0, 0};
        XChangeProperty(D(), n.xid, motifHints, motifHints, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&hints), 5);
    }

    void GrabFor(WindowHandle h, bool ownerEvents, bool keyboard)
    {
        Native* n = Find(h);
        if (!n || !n->mapped)
            return;
        XGrabPointer(D(), n->xid, ownerEvents ? True : False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        if (keyboard)
            XGrabKeyboard(D(), n->xid, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    }

    void RestoreGrab()
    {
        if (captureGrab)
            GrabFor(captureGrab, false, false);
        else if (popupGrab)
            GrabFor(popupGrab, true, false);
        else
            XUngrabPointer(D(), CurrentTime);
    }

    void Focus(WindowHandle h)
    {
        Native* n = Find(h);
        if (!n || n->child)
            return;
        if (!n->mapped) {
            pendingFocus = h;
            return;
        }
        pendingFocus = 0;
        XSetInputFocus(D(), n->xid, RevertToParent, CurrentTime);
        if (!n->overrideRedirect) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = n->xid;
            e.xclient.message_type = netActiveWindow;
            e.xclient.format = 32;
            e.xclient.data.l[0] = 1;   // from an application
            XSendEvent(D(), root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        }
    }

    Rect RootRect(const Native& n, int width, int height) const
    {
        int x = 0, y = 0;
        ::Window ignored = 0;
        XTranslateCoordinates(D(), n.xid, root, 0, 0, &x, &y, &ignored);
        return Rect::FromSize(x, y, width, height);
    }

    // The window a pointer event is for: the event's window when the point lies in it; otherwise
    // (a grab reporting a press elsewhere) whatever is under the point.
    WindowHandle PointerTarget(::Window xid, Point rootPoint)
    {
        const WindowHandle h = HandleOf(xid);
        const Native* n = Find(h);
        // A docked icon moves with its tray without being told; the event's window is enough.
        if (n && (n->embedded || system->GetWindowRect(h).Contains(rootPoint)))
            return h;
        return 0;
    }

    // Without a compositor nobody blends a layered window's alpha: its fully transparent pixels are
    // cut out of the window's shape instead, so rounded corners do not show as black.
    void UpdateShape(Native& n, const Surface& surface)
    {
        std::vector<XRectangle> runs;
        for (int y = 0; y < surface.Height(); ++y) {
            const uint32_t* row = surface.Row(y);
            for (int x = 0; x < surface.Width();) {
                if ((row[x] >> 24) == 0) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < surface.Width() && (row[x] >> 24) != 0)
                    ++x;
                runs.push_back({static_cast<short>(start), static_cast<short>(y), static_cast<unsigned short>(x - start), 1});
            }
        }
        const auto same = [](const XRectangle& a, const XRectangle& b) {
            return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
        };
        if (std::equal(runs.begin(), runs.end(), n.shape.begin(), n.shape.end(), same))
            return;
        n.shape = std::move(runs);
        XShapeCombineRectangles(D(), n.xid, ShapeBounding, 0, 0, n.shape.data(), static_cast<int>(n.shape.size()),
                                ShapeSet, YXBanded);
    }

    void HandleEvent(XEvent& e);
    void HandleKey(XKeyEvent& key, bool down);
};

X11Backend::X11Backend() : impl_(std::make_unique<Impl>()) {}

X11Backend::~X11Backend()
{
    Display* d = impl_->D();
    for (auto& [h, n] : impl_->windows) {
        XFreeGC(d, n.gc);
        XDestroyWindow(d, n.xid);
    }
    for (auto& [shape, cursor] : impl_->cursors)
        XFreeCursor(d, cursor);
    if (impl_->argbColormap)
        XFreeColormap(d, impl_->argbColormap);
}

std::unique_ptr<X11Backend> X11Backend::Open(const char* displayName)
{
    XSetErrorHandler(IgnoreXError);
    std::unique_ptr<X11Backend> backend(new X11Backend());
    Impl& x = *backend->impl_;
    x.display.reset(XOpenDisplay(displayName));
    if (!x.display)
        return nullptr;
    Display* d = x.D();
    x.screen = DefaultScreen(d);
    x.root = RootWindow(d, x.screen);
    XVisualInfo info{};
    if (XMatchVisualInfo(d, x.screen, 32, TrueColor, &info)) {
        x.argbVisual = info.visual;
        x.argbColormap = XCreateColormap(d, x.root, info.visual, AllocNone);
    }
    // Held keys repeat as presses only, so a repeat is not mistaken for a release.
    XkbSetDetectableAutoRepeat(d, True, nullptr);
    x.wmProtocols = x.Intern("WM_PROTOCOLS");
    x.wmDeleteWindow = x.Intern("WM_DELETE_WINDOW");
    x.motifHints = x.Intern("_MOTIF_WM_HINTS");
    x.netWmName = x.Intern("_NET_WM_NAME");
    x.netWmIcon = x.Intern("_NET_WM_ICON");
    x.utf8String = x.Intern("UTF8_STRING");
    x.netMoveResize = x.Intern("_NET_WM_MOVERESIZE");
    x.netSupported = x.Intern("_NET_SUPPORTED");
    x.netWorkArea = x.Intern("_NET_WORKAREA");
    x.netActiveWindow = x.Intern("_NET_ACTIVE_WINDOW");
    x.netWindowType = x.Intern("_NET_WM_WINDOW_TYPE");
    x.typeNormal = x.Intern("_NET_WM_WINDOW_TYPE_NORMAL");
    x.typeDialog = x.Intern("_NET_WM_WINDOW_TYPE_DIALOG");
    x.typePopup = x.Intern("_NET_WM_WINDOW_TYPE_POPUP_MENU");
    x.vintoMessage = x.Intern("_VINTO_MESSAGE");
    x.vintoRestore = x.Intern("_VINTO_RESTORE");
    const std::string compositor = "_NET_WM_CM_S" + std::to_string(x.screen);
    x.hasCompositor = XGetSelectionOwner(d, x.Intern(compositor.c_str())) != 0;
    x.clipboard = std::make_unique<X11Clipboard>(d);
    x.rawInput = std::make_unique<X11RawInput>(d);

    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, x.root, x.netSupported, 0, 4096, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success && data) {
        std::unique_ptr<unsigned char, PropertyFree> owned(data);
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        x.hasMoveResize = std::find(atoms, atoms + count, x.netMoveResize) != atoms + count;
    }
    return backend;
}

std::unique_ptr<WindowSystem> X11Backend::CreateSystem(const char* displayName)
{
    std::unique_ptr<X11Backend> backend = Open(displayName);
    if (!backend)
        return nullptr;
    return std::make_unique<WindowSystem>(std::move(backend));
}

void X11Backend::Attach(WindowSystem& system)
{
    impl_->system = &system;
    // The desktop's double-click and caret blink times, when a settings manager publishes them.
    Display* d = impl_->D();
    const std::string selection = "_XSETTINGS_S" + std::to_string(impl_->screen);
    const ::Window owner = XGetSelectionOwner(d, impl_->Intern(selection.c_str()));
    const Atom settings = impl_->Intern("_XSETTINGS_SETTINGS");
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (owner && XGetWindowProperty(d, owner, settings, 0, 65536, False, settings, &type, &format, &count, &after, &data) ==
                     Success && data) {
        std::unique_ptr<unsigned char, PropertyFree> owned(data);
        auto setting = [&](const char* name) {
            const std::optional<int32_t> v = format == 8 ? FindXSettingsInteger(data, count, name) : std::nullopt;
            return v && *v > 0 && *v <= 10000 ? static_cast<uint32_t>(*v) : 0u;
        };
        if (const uint32_t time = setting("Net/DoubleClickTime"))
            system.SetDoubleClickTime(time);
        // The desktop gives the whole on-and-off cycle.
        if (const uint32_t cycle = setting("Net/CursorBlinkTime"))
            system.SetCaretBlinkTime(cycle / 2);
    }
}

Rect X11Backend::ScreenRect() const
{
    Display* d = impl_->D();
    return {0, 0, DisplayWidth(d, impl_->screen), DisplayHeight(d, impl_->screen)};
}

Rect X11Backend::WorkArea(Point) const
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(impl_->D(), impl_->root, impl_->netWorkArea, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success && data) {
        std::unique_ptr<unsigned char, PropertyFree> owned(data);
        if (format == 32 && count >= 4) {
            const long* v = reinterpret_cast<const long*>(data);
            return Rect::FromSize(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                                  static_cast<int>(v[3]));
        }
    }
    return ScreenRect();
}

void X11Backend::WindowCreated(const WindowView& view)
{
    Impl& x = *impl_;
    Display* d = x.D();
    Impl::Native n;
    n.child = (view.style & WS_CHILD) != 0;
    n.style = view.style;
    n.title = view.title;
    n.layered = view.exStyle & WS_EX_LAYERED;
    n.activatable = !(view.exStyle & WS_EX_NOACTIVATE);
    n.overrideRedirect = !n.child && view.owner && (view.exStyle & WS_EX_TOOLWINDOW);
    n.rect = view.rect;
    ::Window parent = x.root;
    if (const Impl::Native* p = n.child ? x.Find(view.parent) : nullptr) {
        parent = p->xid;
        n.visual = p->visual;
        n.depth = p->depth;
    } else if (x.argbVisual) {
        n.visual = x.argbVisual;
        n.depth = 32;
    } else {
        n.visual = DefaultVisual(d, x.screen);
        n.depth = DefaultDepth(d, x.screen);
    }
    XSetWindowAttributes attrs{};
    attrs.background_pixel = 0;
    attrs.border_pixel = 0;
    attrs.event_mask = kEventMask;
    attrs.override_redirect = n.overrideRedirect ? True : False;
    unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask | CWOverrideRedirect;
    if (n.depth == 32 && x.argbColormap) {
        attrs.colormap = x.argbColormap;
        mask |= CWColormap;
    }
    n.xid = XCreateWindow(d, parent, view.rect.left, view.rect.top, static_cast<unsigned>(std::max(1, view.rect.Width())),
                          static_cast<unsigned>(std::max(1, view.rect.Height())), 0, n.depth, InputOutput, n.visual,
                          mask, &attrs);
    if (!n.xid)
        return;
    n.gc = XCreateGC(d, n.xid, 0, nullptr);
    if (!n.child) {
        XSetWMProtocols(d, n.xid, &x.wmDeleteWindow, 1);
        x.SetFrame(n);
        const Impl::Native* owner = x.Find(view.owner);
        if (owner)
            XSetTransientForHint(d, n.xid, owner->xid);
        const Atom type = n.overrideRedirect ? x.typePopup : owner ? x.typeDialog : x.typeNormal;
        XChangeProperty(d, n.xid, x.netWindowType, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&type), 1);
        XClassHint classHint{const_cast<char*>("vinto"), const_cast<char*>("Vinto")};
        XSetClassHint(d, n.xid, &classHint);
        XSizeHints hints{};
        hints.flags = PPosition | USPosition;
        hints.x = view.rect.left;
        hints.y = view.rect.top;
        XSetWMNormalHints(d, n.xid, &hints);
        x.SetTitle(n);
    }
    if (x.currentCursor)
        XDefineCursor(d, n.xid, x.currentCursor);
    x.byXid[n.xid] = view.handle;
    x.windows[view.handle] = n;
    WindowChanged(view);
}

void X11Backend::WindowChanged(const WindowView& view)
{
    Impl& x = *impl_;
    Impl::Native* n = x.Find(view.handle);
    if (!n)
        return;
    Display* d = x.D();
    if (n->embedded)
        return;
    if (view.rect != n->rect && view.rect.Width() > 0 && view.rect.Height() > 0) {
        n->rect = view.rect;
        XMoveResizeWindow(d, n->xid, view.rect.left, view.rect.top, static_cast<unsigned>(view.rect.Width()),
                          static_cast<unsigned>(view.rect.Height()));
    }
    if (view.title != n->title && !n->child) {
        n->title = view.title;
        x.SetTitle(*n);
    }
    if ((view.style & WS_CAPTION) != (n->style & WS_CAPTION) && !n->child) {
        n->style = view.style;
        x.SetFrame(*n);
    }
    n->style = view.style;
    n->layered = view.exStyle & WS_EX_LAYERED;
    const bool minimised = view.style & WS_MINIMIZE;
    const bool show = (view.style & WS_VISIBLE) && !minimised;
    if (show != n->wantMapped) {
        n->wantMapped = show;
        if (show)
            XMapRaised(d, n->xid);
        else if (minimised && !n->overrideRedirect && !n->child)
            XIconifyWindow(d, n->xid, x.screen);
        else
            XUnmapWindow(d, n->xid);
    }
}

void X11Backend::WindowDestroyed(WindowHandle handle)
{
    Impl& x = *impl_;
    Impl::Native* n = x.Find(handle);
    if (!n)
        return;
    if (x.popupGrab == handle || x.captureGrab == handle) {
        x.popupGrab = x.popupGrab == handle ? 0 : x.popupGrab;
        x.captureGrab = x.captureGrab == handle ? 0 : x.captureGrab;
        XUngrabKeyboard(x.D(), CurrentTime);
        x.RestoreGrab();
    }
    if (x.pendingFocus == handle)
        x.pendingFocus = 0;
    XFreeGC(x.D(), n->gc);
    XDestroyWindow(x.D(), n->xid);
    x.byXid.erase(n->xid);
    x.windows.erase(handle);
}

void X11Backend::Present(WindowHandle handle, const Surface& surface, const Rect& dirty)
{
    Impl& x = *impl_;
    Impl::Native* n = x.Find(handle);
    const Rect r = dirty.Intersect(surface.Bounds());
    if (!n || r.IsEmpty())
        return;
    // Only layered windows show their alpha; everything else is opaque on screen.
    const uint32_t opaque = (n->depth == 32 && !n->layered) ? 0xFF000000u : 0;
    x.scratch.resize(static_cast<size_t>(r.Width()) * r.Height());
    for (int y = 0; y < r.Height(); ++y) {
        const uint32_t* in = surface.Row(r.top + y) + r.left;
        uint32_t* out = x.scratch.data() + static_cast<size_t>(y) * r.Width();
        for (int i = 0; i < r.Width(); ++i)
            out[i] = in[i] | opaque;
    }
    std::unique_ptr<XImage, ImageDestroy> image(XCreateImage(x.D(), n->visual, static_cast<unsigned>(n->depth), ZPixmap, 0,
                                                             reinterpret_cast<char*>(x.scratch.data()),
                                                             static_cast<unsigned>(r.Width()),
                                                             static_cast<unsigned>(r.Height()), 32, r.Width() * 4));
    if (!image)
        return;
    XPutImage(x.D(), n->xid, n->gc, image.get(), 0, 0, r.left, r.top, static_cast<unsigned>(r.Width()),
              static_cast<unsigned>(r.Height()));
    if (n->layered && !n->child && !x.hasCompositor)
        x.UpdateShape(*n, surface);
}

void X11Backend::SetIcon(WindowHandle handle, const Surface& icon)
{
    Impl::Native* n = impl_->Find(handle);
    if (!n || n->child)
        return;
    // Width, height, then straight ARGB pixels, each in a long as format-32 properties travel.
    std::vector<long> data;
    data.reserve(2 + static_cast<size_t>(icon.Width()) * icon.Height());
    data.push_back(icon.Width());
    data.push_back(icon.Height());
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x)
            data.push_back(static_cast<long>(Unpremultiply(icon.Row(y)[x])));
    XChangeProperty(impl_->D(), n->xid, impl_->netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
}

void X11Backend::Activate(WindowHandle handle) { impl_->Focus(handle); }

void X11Backend::SetCursor(CursorShape shape)
{
    Impl& x = *impl_;
    static const std::unordered_map<CursorShape, int> kShapes = {
        {CursorShape::Arrow, XC_left_ptr}, {CursorShape::IBeam, XC_xterm},          {CursorShape::Wait, XC_watch},
        {CursorShape::Cross, XC_crosshair}, {CursorShape::SizeWE, XC_sb_h_double_arrow},
        {CursorShape::SizeNS, XC_sb_v_double_arrow}, {CursorShape::Hand, XC_hand2}, {CursorShape::Help, XC_question_arrow},
    };
    const int font = kShapes.at(shape);
    auto it = x.cursors.find(font);
    if (it == x.cursors.end())
        it = x.cursors.emplace(font, XCreateFontCursor(x.D(), static_cast<unsigned>(font))).first;
    x.currentCursor = it->second;
    for (auto& [h, n] : x.windows)
        XDefineCursor(x.D(), n.xid, x.currentCursor);
}

bool X11Backend::BeginMoveDrag(WindowHandle handle, Point screen)
{
    Impl& x = *impl_;
    Impl::Native* n = x.Find(handle);
    if (!n || !x.hasMoveResize || n->overrideRedirect)
        return false;
    // The window manager takes the pointer over for the move; our own grab would keep it.
    XUngrabPointer(x.D(), CurrentTime);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = n->xid;
    e.xclient.message_type = x.netMoveResize;
    e.xclient.format = 32;
    e.xclient.data.l[0] = screen.x;
    e.xclient.data.l[1] = screen.y;
    e.xclient.data.l[2] = 8;   // move
    e.xclient.data.l[3] = Button1;
    e.xclient.data.l[4] = 1;   // from an application
    XSendEvent(x.D(), x.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    return true;
}

void X11Backend::GrabPointer(WindowHandle handle)
{
    impl_->captureGrab = handle;
    impl_->RestoreGrab();
}

int X11Backend::EventFd() const { return ConnectionNumber(impl_->D()); }

void X11Backend::Pump()
{
    Display* d = impl_->D();
    XFlush(d);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (impl_->clipboard->HandleEvent(e))
            continue;
        if (e.type == GenericEvent) {
            if (const std::optional<RawInputEvent> raw = impl_->rawInput->Translate(e))
                impl_->system->Input().RawInput(*raw);
            continue;
        }
        impl_->HandleEvent(e);
    }
    XFlush(d);
}

void X11Backend::Impl::HandleKey(XKeyEvent& key, bool down)
{
    KeySym shifted = 0;
    char ignored[16];
    XLookupString(&key, ignored, sizeof ignored, &shifted, nullptr);
    const KeySym plain = XLookupKeysym(&key, 0);
    uint32_t vk = VirtualKeyFromKeysym(plain);
    if (!vk)
        vk = VirtualKeyFromKeysym(shifted);
    const char32_t text = down ? TextFromKeysym(shifted, key.state & ControlMask) : 0;
    if (vk || text)
        system->Input().Key(vk, down, text);
}

void X11Backend::Impl::HandleEvent(XEvent& e)
{
    InputRouter& input = system->Input();
    switch (e.type) {
    case Expose: {
        const WindowHandle h = HandleOf(e.xexpose.window);
        const Rect r = Rect::FromSize(e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height);
        if (h)
            system->InvalidateRect(h, &r, false);
        break;
    }
    case ConfigureNotify: {
        const WindowHandle h = HandleOf(e.xconfigure.window);
        Native* n = Find(h);
        if (!n || n->child)
            break;
        const Rect r = RootRect(*n, e.xconfigure.width, e.xconfigure.height);
        if (r != n->rect) {
            n->rect = r;
            system->NativeGeometryChanged(h, r);
        }
        break;
    }
    case MapNotify: {
        const WindowHandle h = HandleOf(e.xmap.window);
        Native* n = Find(h);
        if (!n)
            break;
        n->mapped = true;
        if (n->embedded) {
            // The tray has taken it in: it now sits wherever the tray put it.
            const Rect r = RootRect(*n, n->rect.Width(), n->rect.Height());
            if (r != n->rect) {
                n->rect = r;
                system->NativeGeometryChanged(h, r);
            }
        }
        if (!n->wantMapped && !n->overrideRedirect && !n->child && !n->embedded) {
            // Mapped by someone else: the window manager brought a minimised window back.
            n->wantMapped = true;
            system->NativeIconified(h, false);
        }
        system->InvalidateRect(h, nullptr, false);
        if (pendingFocus == h)
            Focus(h);
        if (n->overrideRedirect && n->activatable) {
            // A popup sees every press, so one outside it can close it.
            popupGrab = h;
            GrabFor(h, true, true);
        }
        break;
    }
    case UnmapNotify: {
        const WindowHandle h = HandleOf(e.xunmap.window);
        if (Native* n = Find(h)) {
            n->mapped = false;
            if (n->wantMapped && !n->overrideRedirect && !n->child && !n->embedded) {
                // Unmapped by someone else while shown: the window manager minimised it.
                n->wantMapped = false;
                system->NativeIconified(h, true);
            }
        }
        if (h && popupGrab == h) {
            popupGrab = 0;
            XUngrabKeyboard(D(), CurrentTime);
            RestoreGrab();
        }
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        const Point p{e.xbutton.x_root, e.xbutton.y_root};
        const WindowHandle target = PointerTarget(e.xbutton.window, p);
        const bool down = e.type == ButtonPress;
        switch (e.xbutton.button) {
        case Button1:
            input.MouseButtonEvent(MouseButton::Left, down, p, target);
            break;
        case Button2:
            input.MouseButtonEvent(MouseButton::Middle, down, p, target);
            break;
        case Button3:
            input.MouseButtonEvent(MouseButton::Right, down, p, target);
            break;
        case Button4:
        case Button5:
            if (down)
                input.Wheel(e.xbutton.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA, p, target);
            break;
        default:
            break;
        }
        break;
    }
    case MotionNotify: {
        // Only the latest position of a burst of motion matters.
        while (XCheckTypedWindowEvent(D(), e.xmotion.window, MotionNotify, &e)) {
        }
        const Point p{e.xmotion.x_root, e.xmotion.y_root};
        input.MouseMove(p, PointerTarget(e.xmotion.window, p));
        break;
    }
    case EnterNotify: {
        const Point p{e.xcrossing.x_root, e.xcrossing.y_root};
        input.MouseMove(p, PointerTarget(e.xcrossing.window, p));
        break;
    }
    case LeaveNotify:
        if (e.xcrossing.mode == NotifyNormal && e.xcrossing.detail != NotifyInferior &&
            !system->WindowFromPoint({e.xcrossing.x_root, e.xcrossing.y_root}))
            input.PointerLeft();
        break;
    case KeyPress:
    case KeyRelease:
        HandleKey(e.xkey, e.type == KeyPress);
        break;
    case FocusIn:
    case FocusOut:
        // Grabs move the focus only for their duration; what counts is a real change.
        if (e.xfocus.mode == NotifyNormal && e.xfocus.detail != NotifyInferior && e.xfocus.detail != NotifyPointer)
            system->NativeActivated(HandleOf(e.xfocus.window), e.type == FocusIn);
        break;
    case ClientMessage: {
        const WindowHandle h = HandleOf(e.xclient.window);
        if (!h)
            break;
        const Atom type = e.xclient.message_type;
        const auto message = static_cast<uint32_t>(e.xclient.data.l[0]);
        if (type == wmProtocols && static_cast<Atom>(e.xclient.data.l[0]) == wmDeleteWindow) {
            system->PostMessage(h, WM_CLOSE, 0, 0);
        } else if (type == vintoRestore && !system->GetParent(h)) {
            // A second start of the program asks for its window, even one hidden to the tray.
            system->ShowWindow(h, SW_SHOWNORMAL);
            system->SetForegroundWindow(h);
        } else if (type == vintoMessage && e.xclient.format == 32 && message >= WM_USER && message < OCM_BASE) {
            // Only the program's own messages come from outside: the window system's messages carry
            // pointers in their parameters, which another process must never choose.
            system->PostMessage(h, message, static_cast<uintptr_t>(static_cast<uint32_t>(e.xclient.data.l[1])),
                                static_cast<intptr_t>(static_cast<int32_t>(e.xclient.data.l[2])));
        }
        break;
    }
    default:
        break;
    }
}

void X11Backend::SetClipboardText(const std::wstring& text) { impl_->clipboard->SetText(text); }

std::wstring X11Backend::ClipboardText() { return impl_->clipboard->Text(); }

void X11Backend::MarkWindow(WindowHandle handle, const std::wstring& name)
{
    const Impl::Native* n = impl_->Find(handle);
    if (!n)
        return;
    const long one = 1;
    XChangeProperty(impl_->D(), n->xid, impl_->Intern(WideToUtf8(name).c_str()), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&one), 1);
    XFlush(impl_->D());
}

bool X11Backend::DockInTray(WindowHandle handle)
{
    Impl& x = *impl_;
    Impl::Native* n = x.Find(handle);
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(x.screen);
    const ::Window manager = XGetSelectionOwner(x.D(), x.Intern(selection.c_str()));
    if (!n || !manager)
        return false;
    // XEmbed version 0, mapped: the tray maps the icon once it has taken it in.
    const long info[2] = {0, 1};
    const Atom xembedInfo = x.Intern("_XEMBED_INFO");
    XChangeProperty(x.D(), n->xid, xembedInfo, xembedInfo, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(info), 2);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = manager;
    e.xclient.message_type = x.Intern("_NET_SYSTEM_TRAY_OPCODE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = 0;   // SYSTEM_TRAY_REQUEST_DOCK
    e.xclient.data.l[2] = static_cast<long>(n->xid);
    XSendEvent(x.D(), manager, False, NoEventMask, &e);
    XFlush(x.D());
    n->embedded = true;
    n->wantMapped = true;
    return true;
}

bool X11Backend::StartRawInput() { return impl_->rawInput->Start(); }

void X11Backend::StopRawInput() { impl_->rawInput->Stop(); }

unsigned long X11Backend::KeysymForVirtualKey(uint32_t virtualKey)
{
    Display* d = impl_->D();
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    int minimum = 0, maximum = 0;
    XDisplayKeycodes(d, &minimum, &maximum);
    for (int keycode = minimum; keycode <= maximum; ++keycode) {
        const KeySym keysym = XkbKeycodeToKeysym(d, static_cast<KeyCode>(keycode), state.group, 0);
        if (keysym && VirtualKeyFromKeysym(keysym) == virtualKey)
            return keysym;
    }
    return 0;
}

Display* X11Backend::NativeDisplay() const { return impl_->D(); }

unsigned long X11Backend::NativeWindow(WindowHandle handle) const
{
    const Impl::Native* n = impl_->Find(handle);
    return n ? n->xid : 0;
}

int X11Backend::NativeDepth(WindowHandle handle) const
{
    const Impl::Native* n = impl_->Find(handle);
    return n ? n->depth : 0;
}

} // namespace Vinto
