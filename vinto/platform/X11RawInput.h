#pragma once
// XInput2 raw key and button events of every device, selected on the root window while started,
// turned into RawInputEvents: the key as the current layout names it, its scan code and E0 flag,
// up or down (the "system" variants while Alt is held), mouse buttons and wheel notches.
// Thread contract: the thread that runs the display's event loop (the UI thread).

#include "vinto/platform/RawInputEvent.h"

#include <optional>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace Vinto {

class X11RawInput {
public:
    explicit X11RawInput(Display* display);

    // False when the server has no XInput 2.2.
    bool IsAvailable() const { return opcode_ >= 0; }
    bool Start();
    void Stop();
    // The event for a raw event of ours; nothing for every other event, and for keys and buttons
    // that have no raw input meaning.
    std::optional<RawInputEvent> Translate(XEvent& e);

private:
    std::optional<RawInputEvent> KeyEvent(unsigned int keycode, bool down);
    static std::optional<RawInputEvent> ButtonEvent(unsigned int button, bool down);
    void Select(bool on);

    Display* display_;
    int opcode_ = -1;
    bool started_ = false;
    bool leftAlt_ = false;
    bool rightAlt_ = false;
};

} // namespace Vinto
