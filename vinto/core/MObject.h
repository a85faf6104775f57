#pragma once
// Anything that can own controls (a dialog, a panel, a control): it answers its class name, takes
// notifications from its children and their requests to be repainted.
// Thread contract: OnControlUpdate may be called from the tick thread; the rest on the UI thread.

#include "vinto/platform/Geometry.h"

#include <cstdint>
#include <cwchar>

namespace Vinto {

class MControl;

class MObject {
public:
    virtual ~MObject() = default;
    // 1 when GetClassNameW() equals `name` exactly, else 0.
    virtual int IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() const { return nullptr; }
    virtual const wchar_t* GetObjectClass() { return nullptr; }
    virtual const wchar_t* BaseObjectClassName() { return nullptr; }
    // A child reports (its id, code, wParam, lParam) here.
    virtual int32_t OnBaseMessage(uint32_t, uint32_t, uint32_t, int32_t) { return 0; }
    // A child asks for `rect` to be drawn again; `resetCache` 1 when its content changed.
    virtual int32_t OnControlUpdate(const Rect&, int /*resetCache*/, MControl*) { return 0; }
};

} // namespace Vinto
