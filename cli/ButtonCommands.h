#pragma once
// Commands on the button assignments of a profile: buttons, assign, reset-button. A button is named
// by its key code, the number the model's layout gives it.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/Operands.h"

class ButtonCommands {
public:
    // One line per button of the layout: key code, caption, then type, the three values and the
    // description of its assignment, marked "(default)" when the profile keeps the layout's own.
    static int List(CliSession& session, const Operands& operands);
    // KEY_CODE TYPE VALUE [VALUE2 [VALUE3]]: stores the assignment and sends the button table.
    // TYPE is 1..11 or one of the names mouse, key, media, macro, shortcut.
    static int Assign(CliSession& session, const Operands& operands);
    // KEY_CODE: gives the button back its default and sends the button table.
    static int Reset(CliSession& session, const Operands& operands);
};
