#pragma once
// A window message as the loop hands it out, and the structures some messages point to in lParam.
// Thread contract: plain values; the pointed-to structures live only during the send.

#include "vinto/platform/Geometry.h"

#include <cstdint>
#include <string>

namespace Vinto {

// Window handles are never reused within a run, so a stale handle is simply "not a window".
using WindowHandle = uint32_t;

struct Message {
    WindowHandle window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    uint32_t time = 0;    // milliseconds of the layer's clock when the message was queued
    Point cursor;         // pointer position on the screen at that time
};

// lParam of WM_NCCREATE and WM_CREATE. Changing `style` there changes the window's style.
struct CreateStruct {
    std::wstring title;
    uint32_t classStyle = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect;                 // screen (top-level) or parent client (WS_CHILD) coordinates
    WindowHandle parent = 0;   // the parent of a WS_CHILD window, else the owner
};

// lParam of WM_WINDOWPOSCHANGING (may be changed) and WM_WINDOWPOSCHANGED.
struct WindowPos {
    WindowHandle window = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    uint32_t flags = 0;
};

// lParam of WM_GETMINMAXINFO; a zero size means "no limit".
struct MinMaxInfo {
    Point maxSize;
    Point maxPosition;
    Point minTrackSize;
    Point maxTrackSize;
};

} // namespace Vinto
