#include "vinto/core/MObject.h"

namespace Vinto {

int MObject::IsClass(const wchar_t* name)
{
    const wchar_t* own = GetClassNameW();
    return own != nullptr && name != nullptr && std::wcscmp(own, name) == 0 ? 1 : 0;
}

} // namespace Vinto
