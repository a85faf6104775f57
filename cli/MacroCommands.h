#pragma once
// Commands on the macros of the model's database (macros belong to no profile): macros, macro-show,
// macro-export, macro-import, macro-delete. A macro is named by its id.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/Operands.h"

class MacroCommands {
public:
    // One line per macro in slot order: id, name and number of events.
    static int List(CliSession& session, const Operands& operands);
    // ID: the play settings, then one line per event: index, type, value, delay, description.
    static int Show(CliSession& session, const Operands& operands);
    // ID FOLDER: writes the macro file into the folder and prints its path.
    static int Export(CliSession& session, const Operands& operands);
    // FILE: adds the file's macro, prints its id and name, and sends the macro area.
    static int Import(CliSession& session, const Operands& operands);
    // ID: removes the macro and sends the macro area and the button table, whose macro slots move.
    static int Delete(CliSession& session, const Operands& operands);
};
