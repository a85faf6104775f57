// Settings data comes from another program: no input may crash or over-read the parser.
#include "vinto/platform/XSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Vinto::FindXSettingsInteger(data, size, "Net/DoubleClickTime");
    return 0;
}
