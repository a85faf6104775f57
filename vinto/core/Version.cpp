#include "vinto/core/Version.h"

namespace Vinto {

const char* Version() { return VINTO_VERSION; }

} // namespace Vinto
