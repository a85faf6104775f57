// Any file imported as a profile is applied or refused without a fault.
#include "exchange/ProfileFile.h"
#include "FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static FuzzWorkspace workspace;
    static ProfileFile file(workspace.Store(), true);
    file.Import(1, workspace.Input(data, size));
    return 0;
}
