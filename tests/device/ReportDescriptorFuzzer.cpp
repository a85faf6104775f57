// Report descriptors come from the device; any bytes must parse or be refused without harm.
#include "device/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto descriptor = ReportDescriptor::Parse({data, size});
    if (descriptor) {
        // Lengths stay within what a buffer can be sized by.
        if (descriptor->InputReportLength() < 0 || descriptor->OutputReportLength() < 0 ||
            descriptor->FeatureReportLength() < 0) {
            __builtin_trap();
        }
    }
    return 0;
}
