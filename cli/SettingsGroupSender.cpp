#include "cli/SettingsGroupSender.h"

#include "cli/CommandStatus.h"

SettingsGroupSender::SettingsGroupSender(CliSession& session) : session_(session)
{
}

int SettingsGroupSender::Send(std::span<const SettingsGroup> groups)
{
    if (!session_.Link().HasDevice()) {
        return Fail("no mouse is connected");
    }
    if (!groups.empty()) {
        return Fail("sending settings to the mouse is not available in this build");
    }
    return kExitOk;
}

int SettingsGroupSender::SendStoredChange(int profile, std::span<const SettingsGroup> groups)
{
    if (groups.empty() || !session_.IsActiveProfile(profile)) {
        return kExitOk;
    }
    if (!session_.Link().HasDevice()) {
        std::fprintf(stderr, "pelmarectl: stored; no mouse is connected, so nothing was sent\n");
        return kExitOk;
    }
    return Send(groups);
}
