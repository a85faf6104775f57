#pragma once
// The commands pelmarectl knows: name, operands, what it does, and the function that runs it.
// Thread contract: immutable data; any thread.

#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "cli/Operands.h"

#include <cstdio>
#include <span>
#include <string_view>

// The options a command takes besides the global switches.
enum CommandOptions : unsigned {
    kNoOptions = 0,
    kProfileOption = 1, // --profile
    kDescOption = 2,    // --desc
};

struct CommandSpec {
    std::string_view name;
    std::string_view operands; // as shown in the usage text
    std::size_t minOperands;
    std::size_t maxOperands;
    std::string_view summary;
    unsigned options;
    int (*run)(CliSession& session, const Operands& operands);
};

std::span<const CommandSpec> Commands();

// The command called `name`; null when there is none.
const CommandSpec* FindCommand(std::string_view name);

// True when the line gives `command` as many operands as it takes and only options it takes; else
// false with `error` saying what is wrong.
bool AcceptsCall(const CommandSpec& command, const CommandLine& line, std::string& error);

// The usage text with every command, for --help and usage errors.
void PrintUsage(std::FILE* to);
