// Any file imported as a macro is added or refused without a fault.
#include "exchange/MacroFile.h"
#include "FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static FuzzWorkspace workspace;
    static MacroFile file(workspace.Store());
    MacroRecord macro;
    if (file.Import(workspace.Input(data, size), macro))
        workspace.Store().DeleteMacro(macro.macro_id); // keeps the database small over a long run
    return 0;
}
