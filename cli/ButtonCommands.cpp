#include "cli/ButtonCommands.h"

#include "cli/CommandStatus.h"
#include "cli/NumberArgument.h"
#include "cli/SettingsGroupSender.h"
#include "common/TextConvert.h"
#include "device/KeyCodeTables.h"

#include <array>
#include <cstdio>
#include <utility>

namespace {

constexpr int kMacroAssignment = 4;
constexpr int kKeyboardAssignment = 2;
constexpr int kLastAssignmentType = 11;

const SettingsGroup kButtonGroup[] = {SettingsGroup::Buttons};

std::optional<int> AssignmentType(const std::string& text)
{
    static constexpr std::array<std::pair<std::string_view, int>, 5> kNames = {{
        {"mouse", 1}, {"key", kKeyboardAssignment}, {"media", 3}, {"macro", kMacroAssignment}, {"shortcut", 9}}};
    for (const auto& [name, type] : kNames) {
        if (text == name) {
            return type;
        }
    }
    const std::optional<int> type = ParseInteger(text);
    if (type && *type >= 1 && *type <= kLastAssignmentType) {
        return type;
    }
    return std::nullopt;
}

// The layout's default row of the button the operand names, in the profile the command works on.
// False, after telling the user, when the profile or the button does not exist.
bool FindButton(CliSession& session, const std::string& keyCode, KeyMacroRecord& row)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return false;
    }
    const std::optional<int> code = ParseInteger(keyCode);
    for (const KeyMacroRecord& layoutRow : session.Layout().DefaultKeys()) {
        if (code == layoutRow.key_code) {
            row = layoutRow;
            row.profile = profile;
            return true;
        }
    }
    Fail("no button with key code " + keyCode + " on this model (see `pelmarectl buttons`)");
    return false;
}

// What the key page would call the assignment when the user gives no description.
std::wstring DefaultDescription(CliSession& session, const KeyMacroRecord& row)
{
    if (row.macro_type == kKeyboardAssignment) {
        return UsageName(row.macro_value);
    }
    MacroRecord macro;
    if (row.macro_type == kMacroAssignment && session.Store().GetMacro(row.macro_value, macro)) {
        return macro.name;
    }
    return {};
}

} // namespace

int ButtonCommands::List(CliSession& session, const Operands&)
{
    int profile = 0;
    if (!session.TargetProfile(profile)) {
        return kExitFailure;
    }
    for (const KeyMacroRecord& layoutRow : session.Layout().DefaultKeys()) {
        KeyMacroRecord row;
        const bool assigned = session.Store().GetKeyMacro(profile, layoutRow.key_code, row);
        // The layout names its defaults by text id.
        const std::wstring desc = assigned ? row.macro_desc : session.Text(DecimalToInt(layoutRow.macro_desc));
        if (!assigned) {
            row = layoutRow;
        }
        std::printf("%d %s: %d %d %d %d %s%s\n", layoutRow.key_code,
                    ToUtf8(session.Text(DecimalToInt(layoutRow.layout_desc))).c_str(), row.macro_type,
                    row.macro_value, row.macro_value2, row.macro_value3, ToUtf8(desc).c_str(),
                    assigned ? "" : " (default)");
    }
    return kExitOk;
}

int ButtonCommands::Assign(CliSession& session, const Operands& operands)
{
    KeyMacroRecord row;
    if (!FindButton(session, operands[0], row)) {
        return kExitFailure;
    }
    const std::optional<int> type = AssignmentType(operands[1]);
    if (!type) {
        return Fail("unknown assignment type " + operands[1] +
                    " (1 to 11, or mouse, key, media, macro, shortcut)");
    }
    std::array<int, 3> values{};
    for (std::size_t at = 2; at < operands.size(); ++at) {
        const std::optional<int> value = ParseInteger(operands[at]);
        if (!value) {
            return Fail("an assignment value must be a whole number, not \"" + operands[at] + "\"");
        }
        values[at - 2] = *value;
    }
    if (values[0] == 0 && values[1] == 0) {
        return Fail("VALUE and VALUE2 are both 0, which assigns nothing; use reset-button for the default");
    }
    MacroRecord macro;
    if (*type == kMacroAssignment && !session.Store().GetMacro(values[0], macro)) {
        return Fail("no macro " + operands[2]);
    }

    row.macro_type = *type;
    row.macro_value = values[0];
    row.macro_value2 = values[1];
    row.macro_value3 = values[2];
    row.macro_desc = session.Line().Desc() ? FromUtf8(*session.Line().Desc()) : DefaultDescription(session, row);
    DataStore& store = session.Store();
    if (!store.RunTransaction([&] { return store.SetKeyMacro(row) != 0; })) {
        return Fail("cannot store the assignment");
    }
    return SettingsGroupSender(session).SendStoredChange(row.profile, kButtonGroup);
}

int ButtonCommands::Reset(CliSession& session, const Operands& operands)
{
    KeyMacroRecord row;
    if (!FindButton(session, operands[0], row)) {
        return kExitFailure;
    }
    // Both values 0 removes the profile's row, which leaves the button its default.
    row.macro_value = 0;
    row.macro_value2 = 0;
    session.Store().SetKeyMacro(row);
    KeyMacroRecord left;
    if (session.Store().GetKeyMacro(row.profile, row.key_code, left)) {
        return Fail("cannot store the default of button " + operands[0]);
    }
    return SettingsGroupSender(session).SendStoredChange(row.profile, kButtonGroup);
}
