#pragma once
// The CLIPBOARD selection of an X display: owning it with a text of ours (answering TARGETS and
// UTF8_STRING requests of other programs) and reading the text another program owns. A read waits
// for the owner's answer at most one second, so a stuck owner costs an empty paste, not a hang.
// Thread contract: the thread that runs the display's event loop (the UI thread).

#include <string>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace Vinto {

class X11Clipboard {
public:
    explicit X11Clipboard(Display* display);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    void SetText(const std::wstring& text);
    std::wstring Text();
    // Handles selection events meant for the clipboard; false for every other event.
    bool HandleEvent(const XEvent& e);

private:
    Display* display_;
    unsigned long window_ = 0;
    unsigned long clipboard_ = 0, targets_ = 0, utf8_ = 0, property_ = 0;
    std::string owned_;   // UTF-8 of the text while we own the selection
    bool owner_ = false;
};

} // namespace Vinto
