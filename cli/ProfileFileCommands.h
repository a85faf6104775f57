#pragma once
// Commands that move a whole profile through a profile file: export, import.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/Operands.h"

class ProfileFileCommands {
public:
    // FILE: writes the profile (--profile, else the active one) to the file.
    static int Export(CliSession& session, const Operands& operands);
    // FILE: reads the file into the profile as one change and, for the active profile, sends all
    // its settings.
    static int Import(CliSession& session, const Operands& operands);
};
