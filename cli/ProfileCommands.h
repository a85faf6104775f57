#pragma once
// Commands on profiles and their configuration keys: profiles, use, get, set.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/Operands.h"

class ProfileCommands {
public:
    // One line per profile: "*" for the active one (else a blank), its id and its shown name.
    static int List(CliSession& session, const Operands& operands);
    // Makes the profile named by id or shown name active and sends all its settings.
    static int Use(CliSession& session, const Operands& operands);
    // The stored text of one key; without a key, every key of the profile as "key value" lines.
    static int Get(CliSession& session, const Operands& operands);
    // Stores a whole number as a key's value and sends the key's settings group.
    static int Set(CliSession& session, const Operands& operands);
};
