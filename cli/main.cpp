// Process entry of pelmarectl, the command-line companion of the Pelmaro window.
#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "cli/CommandStatus.h"
#include "cli/CommandTable.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    CommandLine line;
    std::string error;
    if (!line.Parse(argc, argv, error)) {
        Fail(error);
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (line.Version()) {
        std::printf("pelmarectl %s\n", PELMARO_VERSION);
        return kExitOk;
    }
    if (line.Help()) {
        PrintUsage(stdout);
        return kExitOk;
    }
    if (line.Command().empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const CommandSpec* command = FindCommand(line.Command());
    if (!command) {
        return Fail("unknown command " + line.Command() + " (see pelmarectl --help)", kExitUsage);
    }
    const std::size_t count = line.Operands().size();
    if (count < command->minOperands || count > command->maxOperands) {
        return Fail("usage: pelmarectl " + std::string(command->name) + " " + std::string(command->operands),
                    kExitUsage);
    }
    CliSession session(line);
    if (!session.Open(error)) {
        return Fail(error);
    }
    return command->run(session, line.Operands());
}
