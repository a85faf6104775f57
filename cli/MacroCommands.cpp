#include "cli/MacroCommands.h"

#include "cli/CommandStatus.h"
#include "cli/NumberArgument.h"
#include "cli/SettingsGroupSender.h"
#include "common/TextConvert.h"
#include "exchange/MacroFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

// The macro the operand names; false, after telling the user, when there is none.
bool FindMacro(CliSession& session, const std::string& id, MacroRecord& macro)
{
    const std::optional<int> macroId = ParseInteger(id);
    if (!macroId || !session.Store().GetMacro(*macroId, macro)) {
        Fail("no macro " + id + " (see `pelmarectl macros`)");
        return false;
    }
    return true;
}

std::uint64_t MillisecondsNow()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

int SendMacroChange(CliSession& session, std::span<const SettingsGroup> groups)
{
    return SettingsGroupSender(session).SendStoredChange(session.Profiles().ActiveProfile(), groups);
}

} // namespace

int MacroCommands::List(CliSession& session, const Operands&)
{
    std::vector<MacroRecord> macros;
    session.Store().GetMacros(macros);
    for (const MacroRecord& macro : macros) {
        std::vector<MacroEventRecord> events;
        session.Store().GetMacroEvents(macro.macro_id, events);
        std::printf("%d %s (%zu events)\n", macro.macro_id, ToUtf8(macro.name).c_str(), events.size());
    }
    return kExitOk;
}

int MacroCommands::Show(CliSession& session, const Operands& operands)
{
    MacroRecord macro;
    if (!FindMacro(session, operands[0], macro)) {
        return kExitFailure;
    }
    std::printf("name %s\nplay_type %d\nplay_times %d\ndelay_type %d\ndelay_time %d\n", ToUtf8(macro.name).c_str(),
                macro.play_type, macro.play_times, macro.delay_type, macro.delay_time);
    std::vector<MacroEventRecord> events;
    session.Store().GetMacroEvents(macro.macro_id, events);
    for (const MacroEventRecord& event : events) {
        std::printf("%d %d %d %d %s\n", event.record_index, event.type, event.value, event.delay_time,
                    ToUtf8(event.desc).c_str());
    }
    return kExitOk;
}

int MacroCommands::Export(CliSession& session, const Operands& operands)
{
    MacroRecord macro;
    if (!FindMacro(session, operands[0], macro)) {
        return kExitFailure;
    }
    std::error_code ignored;
    if (!std::filesystem::is_directory(operands[1], ignored)) {
        return Fail("no folder " + operands[1]);
    }
    const std::filesystem::path written =
        MacroFile(session.Store()).Export(macro.macro_id, macro.name, operands[1], MillisecondsNow());
    if (written.empty()) {
        return Fail("cannot write the macro file into " + operands[1]);
    }
    std::printf("%s\n", written.c_str());
    return kExitOk;
}

int MacroCommands::Import(CliSession& session, const Operands& operands)
{
    MacroRecord imported;
    if (!MacroFile(session.Store()).Import(operands[0], imported)) {
        return Fail(operands[0] + " is not a readable macro file; nothing was added");
    }
    std::printf("%d %s\n", imported.macro_id, ToUtf8(imported.name).c_str());
    static constexpr SettingsGroup kGroups[] = {SettingsGroup::Macros};
    return SendMacroChange(session, kGroups);
}

int MacroCommands::Delete(CliSession& session, const Operands& operands)
{
    MacroRecord macro;
    if (!FindMacro(session, operands[0], macro)) {
        return kExitFailure;
    }
    if (!session.Store().DeleteMacro(macro.macro_id)) {
        return Fail("cannot delete macro " + operands[0]);
    }
    static constexpr SettingsGroup kGroups[] = {SettingsGroup::Macros, SettingsGroup::Buttons};
    return SendMacroChange(session, kGroups);
}
