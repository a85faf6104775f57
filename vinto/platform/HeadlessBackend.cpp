#include "vinto/platform/HeadlessBackend.h"

#include "vinto/platform/WindowSystem.h"

namespace Vinto {

std::unique_ptr<WindowSystem> HeadlessBackend::CreateSystem()
{
    return std::make_unique<WindowSystem>(std::make_unique<HeadlessBackend>());
}

} // namespace Vinto
