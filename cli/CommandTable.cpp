#include "cli/CommandTable.h"

#include "cli/ButtonCommands.h"
#include "cli/DeviceCommands.h"
#include "cli/MacroCommands.h"
#include "cli/ProfileCommands.h"
#include "cli/ProfileFileCommands.h"

#include <array>

namespace {

constexpr std::array kCommands = {
    CommandSpec{"devices", "", 0, 0,
                "the catalogued interfaces found and the connection", kNoOptions, DeviceCommands::List},
    CommandSpec{"probe", "", 0, 0,
                "every interface with the vendor collection, as config.xml lines", kNoOptions, DeviceCommands::Probe},
    CommandSpec{"profiles", "", 0, 0,
                "list profiles, the active one marked *", kNoOptions, ProfileCommands::List},
    CommandSpec{"use", "PROFILE", 1, 1,
                "make a profile (id or name) active and send it", kNoOptions, ProfileCommands::Use},
    CommandSpec{"get", "[KEY]", 0, 1,
                "show a configuration key, or all of them", kProfileOption, ProfileCommands::Get},
    CommandSpec{"set", "KEY VALUE", 2, 2,
                "store a configuration key and send its group", kProfileOption, ProfileCommands::Set},
    CommandSpec{"buttons", "", 0, 0,
                "list the button assignments", kProfileOption, ButtonCommands::List},
    CommandSpec{"assign", "KEY_CODE TYPE VALUE [VALUE2 [VALUE3]]", 3, 5,
                "assign a function to a button", kProfileOption | kDescOption, ButtonCommands::Assign},
    CommandSpec{"reset-button", "KEY_CODE", 1, 1,
                "give a button its default function", kProfileOption, ButtonCommands::Reset},
    CommandSpec{"macros", "", 0, 0,
                "list macros", kNoOptions, MacroCommands::List},
    CommandSpec{"macro-show", "ID", 1, 1,
                "show a macro and its events", kNoOptions, MacroCommands::Show},
    CommandSpec{"macro-export", "ID FOLDER", 2, 2,
                "write a macro file into a folder", kNoOptions, MacroCommands::Export},
    CommandSpec{"macro-import", "FILE", 1, 1,
                "add the macro of a macro file and send the macros", kNoOptions, MacroCommands::Import},
    CommandSpec{"macro-delete", "ID", 1, 1,
                "delete a macro and send the macros and buttons", kNoOptions, MacroCommands::Delete},
    CommandSpec{"export", "FILE", 1, 1,
                "write a profile file", kProfileOption, ProfileFileCommands::Export},
    CommandSpec{"import", "FILE", 1, 1,
                "read a profile file into a profile and send it", kProfileOption, ProfileFileCommands::Import},
    CommandSpec{"send", "dpi|performance|light|buttons|macros|reset|all", 1, 1,
                "send settings of the active profile to the mouse", kNoOptions, DeviceCommands::Send},
};

} // namespace

std::span<const CommandSpec> Commands()
{
    return kCommands;
}

const CommandSpec* FindCommand(std::string_view name)
{
    for (const CommandSpec& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

bool AcceptsCall(const CommandSpec& command, const CommandLine& line, std::string& error)
{
    const std::size_t count = line.Operands().size();
    if (count < command.minOperands || count > command.maxOperands) {
        error = "usage: pelmarectl " + std::string(command.name) + " " + std::string(command.operands);
        return false;
    }
    const char* refused = nullptr;
    if (line.Profile() && !(command.options & kProfileOption)) {
        refused = "--profile";
    } else if (line.Desc() && !(command.options & kDescOption)) {
        refused = "--desc";
    }
    if (refused) {
        error = std::string(refused) + " has no meaning for " + std::string(command.name);
        return false;
    }
    return true;
}

void PrintUsage(std::FILE* to)
{
    std::fprintf(to, "usage: pelmarectl [--virtual-mouse] [--trace] COMMAND ...\n"
                     "       pelmarectl --help | --version\n\n"
                     "Options:\n"
                     "  --virtual-mouse  work with a virtual mouse on its cable link instead of the HID bus\n"
                     "  --trace          print every report: \"> \" sent, \"< \" received, in hexadecimal\n"
                     "  --profile N      the profile get, set, buttons, assign, reset-button, export and\n"
                     "                   import work on (id or name; the active one by default)\n"
                     "  --desc TEXT      the description assign stores\n\n"
                     "Commands:\n");
    for (const CommandSpec& command : kCommands) {
        const std::string call = std::string(command.name) + " " + std::string(command.operands);
        std::fprintf(to, "  %s\n      %.*s\n", call.c_str(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    }
}
