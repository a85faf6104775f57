#include "cli/ProfileFileCommands.h"

#include "cli/CommandStatus.h"
#include "cli/SettingsGroupSender.h"
#include "exchange/ProfileFile.h"

int ProfileFileCommands::Export(CliSession& session, const Operands& operands)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return kExitFailure;
    }
    std::vector<ProfileRecord> list;
    session.Store().GetProfiles(list);
    std::wstring shownName;
    for (const ProfileRecord& record : list) {
        if (record.profile == profile) {
            shownName = session.Profiles().DisplayName(record.name);
        }
    }
    if (!ProfileFile(session.Store(), session.HasLighting()).Export(profile, shownName, operands[0])) {
        return Fail("cannot write " + operands[0]);
    }
    return kExitOk;
}

int ProfileFileCommands::Import(CliSession& session, const Operands& operands)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return kExitFailure;
    }
    if (!ProfileFile(session.Store(), session.HasLighting()).Import(profile, operands[0])) {
        return Fail(operands[0] + " is not a readable profile file; the profile is unchanged");
    }
    return SettingsGroupSender(session).SendStoredChange(profile, ProfileGroups());
}
