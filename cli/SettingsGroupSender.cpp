#include "cli/SettingsGroupSender.h"

#include "cli/CommandStatus.h"
#include "device/SettingsSender.h"

#include <cstdio>
#include <string>

namespace {

// The window's light value before anything chose one.
constexpr int kInitialLightValue = 3;

} // namespace

SettingsGroupSender::SettingsGroupSender(CliSession& session) : session_(session)
{
}

int SettingsGroupSender::Send(std::span<const SettingsGroup> groups)
{
    if (!session_.Link().HasDevice()) {
        return Fail(session_.Link().NoDeviceReason());
    }
    SettingsSender sender(session_.Store(), session_.Link().Manager(), clock_);
    for (SettingsGroup group : groups) {
        switch (group) {
        case SettingsGroup::Dpi:
            sender.SendDpiSettings();
            break;
        case SettingsGroup::Performance:
            sender.SendPerformanceSettings();
            break;
        case SettingsGroup::Light:
            sender.SendLightSetting(LightValue());
            break;
        case SettingsGroup::Buttons:
            sender.SendButtonAssignments();
            break;
        case SettingsGroup::Macros:
            sender.SendMacroArea();
            break;
        case SettingsGroup::FactoryReset:
            sender.SendFactoryReset();
            break;
        }
    }
    return kExitOk;
}

int SettingsGroupSender::SendStoredChange(int profile, std::span<const SettingsGroup> groups)
{
    if (groups.empty() || !session_.IsActiveProfile(profile)) {
        return kExitOk;
    }
    if (!session_.Link().HasDevice()) {
        const std::string reason = session_.Link().NoDeviceReason();
        std::fprintf(stderr, "pelmarectl: stored, but nothing was sent: %s\n", reason.c_str());
        return kExitOk;
    }
    return Send(groups);
}

int SettingsGroupSender::LightValue()
{
    const int profile = session_.Profiles().ActiveProfile();
    if (session_.Store().GetLightCount(profile) < 1) {
        return kInitialLightValue;
    }
    return session_.Store().GetActiveLightMode(profile);
}
