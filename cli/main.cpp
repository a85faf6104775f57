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
        return FinishOutput(kExitOk);
    }
    if (line.Help()) {
        PrintUsage(stdout);
        return FinishOutput(kExitOk);
    }
    if (line.Command().empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const CommandSpec* command = FindCommand(line.Command());
    if (!command) {
        return Fail("unknown command " + line.Command() + " (see pelmarectl --help)", kExitUsage);
    }
    if (!AcceptsCall(*command, line, error)) {
        return Fail(error, kExitUsage);
    }
    CliSession session(line);
    if (!session.Open(error)) {
        return Fail(error);
    }
    return FinishOutput(command->run(session, line.Operands()));
}
