#pragma once
// Reaching the window of another process on the X display: finding the top-level window marked
// with a name (WindowSystem::PublishWindowMark), bringing it to the front, and posting it a message
// that arrives in that window's queue with its message number, wParam and lParam. Used by a second
// start of the program and by the message-sending tool.
// Thread contract: one thread at a time.

#include <cstdint>
#include <memory>
#include <string>

typedef struct _XDisplay Display;

namespace Vinto {

class X11Peer {
public:
    // Null when the display cannot be opened (null name: $DISPLAY).
    static std::unique_ptr<X11Peer> Open(const char* displayName = nullptr);
    ~X11Peer();

    // The first top-level window carrying the mark, from the window manager's client list or,
    // without a window manager, from the children of the root window; 0 when none does.
    unsigned long FindMarkedWindow(const std::wstring& name) const;
    // Asks the program to show the window (restoring it when minimised or hidden) and the window
    // manager to activate it.
    bool Raise(unsigned long window) const;
    // Posts a message into the window's queue; false when the window is gone.
    bool Post(unsigned long window, uint32_t message, uint32_t wParam, int32_t lParam) const;

private:
    explicit X11Peer(Display* display);
    bool HasMark(unsigned long window, unsigned long atom) const;
    struct DisplayClose {
        void operator()(Display* d) const;
    };
    std::unique_ptr<Display, DisplayClose> display_;
};

} // namespace Vinto
