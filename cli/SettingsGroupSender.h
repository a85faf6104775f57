#pragma once
// Sends settings groups of the active profile to the mouse, each built afresh from the store.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CliSession.h"
#include "cli/SettingsGroup.h"
#include "device/StoppableClock.h"

#include <span>

class SettingsGroupSender {
public:
    explicit SettingsGroupSender(CliSession& session);

    // Sends `groups` in order. kExitOk, or kExitFailure with a message when no mouse is connected.
    int Send(std::span<const SettingsGroup> groups);

    // After a command stored a change of `profile`: sends `groups` when that profile is the active
    // one, as the window does. The change stays stored when no mouse is connected; the user is told
    // it was not sent, and the command still succeeds.
    int SendStoredChange(int profile, std::span<const SettingsGroup> groups);

private:
    // The light value the window sends: the profile's active lighting mode, or the value it starts
    // with while the profile has no lighting rows.
    int LightValue();

    CliSession& session_;
    StoppableClock clock_;
};
