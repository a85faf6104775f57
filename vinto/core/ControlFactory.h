#pragma once
// Creation of controls by class name. A dialog and a panel each accept their own list of names; a
// name is made only when it is on the owner's list and a maker has been registered for it (each
// control's source registers its own maker), so an unknown or not yet built class gives null.
// Thread contract: Register during library load or on the UI thread; Create on the UI thread.

#include "vinto/core/MControl.h"

#include <functional>
#include <string>

namespace Vinto {

class ControlFactory {
public:
    enum class Owner { Dialog, Panel };
    // Builds the control; `enabled` is already decided by the class list's rule for `second`.
    using Maker = std::function<MControl*(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title,
                                          int visible, int enabled)>;

    // Makes `className` available to the owners whose lists name it. Returns true (for static use).
    static bool Register(const std::wstring& className, Maker maker);
    // Whether the owner's class list names `className` (exact, case-sensitive).
    static bool IsListed(Owner owner, const wchar_t* className);

    // Creates the control, gives it `manager` and appends it to `target`'s areas (list 0) or
    // controls (list 1); any other list leaves it unattached. Null when the name is not listed or
    // not built; nothing changes then.
    static MControl* Create(Owner owner, int list, MControl* target, MObject* parent, PaintManager* manager,
                            const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title, int first,
                            int second);
    // The same without attaching the new control anywhere.
    static MControl* Make(Owner owner, MObject* parent, PaintManager* manager, const wchar_t* className, uint32_t id,
                          const Rect& rect, const wchar_t* title, int first, int second);
};

} // namespace Vinto
