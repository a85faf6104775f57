#include "cli/ProfileCommands.h"

#include "cli/CommandStatus.h"
#include "cli/NumberArgument.h"
#include "cli/SettingsGroupSender.h"
#include "common/TextConvert.h"
#include "store/ConfigDefaults.h"

#include <cstdio>

int ProfileCommands::List(CliSession& session, const Operands&)
{
    std::vector<ProfileRecord> list;
    session.Store().GetProfiles(list);
    const int active = session.Profiles().ActiveProfile();
    for (const ProfileRecord& record : list) {
        std::printf("%c %d %s\n", record.profile == active ? '*' : ' ', record.profile,
                    ToUtf8(session.Profiles().DisplayName(record.name)).c_str());
    }
    return kExitOk;
}

int ProfileCommands::Use(CliSession& session, const Operands& operands)
{
    int profile = 0;
    if (!session.FindProfile(operands[0], profile)) {
        return Fail("no profile " + operands[0]);
    }
    if (!session.Store().SetActiveProfile(profile)) {
        return Fail("cannot store the active profile");
    }
    return SettingsGroupSender(session).SendStoredChange(profile, ProfileGroups());
}

int ProfileCommands::Get(CliSession& session, const Operands& operands)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return kExitFailure;
    }
    std::wstring value;
    if (!operands.empty()) {
        if (!session.Store().GetConfigValue(profile, FromUtf8(operands[0]), value)) {
            return Fail("no configuration key " + operands[0]);
        }
        std::printf("%s\n", ToUtf8(value).c_str());
        return kExitOk;
    }
    for (const ConfigDefaults::Entry& entry : ConfigDefaults::Keys()) {
        if (session.Store().GetConfigValue(profile, entry.key, value)) {
            std::printf("%s %s\n", ToUtf8(entry.key).c_str(), ToUtf8(value).c_str());
        }
    }
    return kExitOk;
}

int ProfileCommands::Set(CliSession& session, const Operands& operands)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return kExitFailure;
    }
    const std::wstring key = FromUtf8(operands[0]);
    std::wstring stored;
    if (!session.Store().GetConfigValue(profile, key, stored)) {
        return Fail("no configuration key " + operands[0]);
    }
    const std::optional<int> value = ParseInteger(operands[1]);
    if (!value) {
        return Fail("the value of " + operands[0] + " must be a whole number, not \"" + operands[1] + "\"");
    }
    if (!session.Store().SetConfigValue(profile, key, std::to_wstring(*value))) {
        return Fail("cannot store " + operands[0]);
    }
    std::vector<SettingsGroup> groups;
    if (const std::optional<SettingsGroup> group = GroupOfKey(key)) {
        groups.push_back(*group);
    }
    return SettingsGroupSender(session).SendStoredChange(profile, groups);
}
