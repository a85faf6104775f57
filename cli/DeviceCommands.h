#pragma once
// Commands that talk to the mouse: devices, probe, send.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/Operands.h"

class DeviceCommands {
public:
    // One line per catalogued interface found: model, connection mode, USB identity and version;
    // then the connection the window would show.
    static int List(CliSession& session, const Operands& operands);
    // Every HID interface with the vendor collection, catalogued or not, each followed by the mode
    // line that names it in config.xml.
    static int Probe(CliSession& session, const Operands& operands);
    // dpi|performance|light|buttons|macros|reset|all: sends those settings of the active profile.
    static int Send(CliSession& session, const Operands& operands);
};
