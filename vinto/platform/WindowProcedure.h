#pragma once
// The object a window is bound to: every message for that window arrives here, the first being
// WM_NCCREATE (which tells the object its handle) and the last WM_NCDESTROY.
// Thread contract: called on the UI thread only.

#include "vinto/platform/Message.h"

namespace Vinto {

class WindowProcedure {
public:
    virtual ~WindowProcedure() = default;
    // What the window does not handle it passes to WindowSystem::DefWindowProc.
    virtual intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

} // namespace Vinto
