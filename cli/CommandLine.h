#pragma once
// The words pelmarectl was started with, sorted into global switches, options that take a value, the
// command name and its operands. Options may stand anywhere after the program name.
// Thread contract: immutable after Parse; any thread.

#include <optional>
#include <string>
#include <vector>

class CommandLine {
public:
    // False, with `error` saying why, for an unknown option or an option missing its value.
    bool Parse(int argc, const char* const* argv, std::string& error);

    bool VirtualMouse() const { return virtualMouse_; }
    bool Trace() const { return trace_; }
    bool Help() const { return help_; }
    bool Version() const { return version_; }

    // The value of --profile, when given.
    const std::optional<std::string>& Profile() const { return profile_; }
    // The value of --desc, when given.
    const std::optional<std::string>& Desc() const { return desc_; }

    // Empty when no command was named.
    const std::string& Command() const { return command_; }
    const std::vector<std::string>& Operands() const { return operands_; }

private:
    bool virtualMouse_ = false;
    bool trace_ = false;
    bool help_ = false;
    bool version_ = false;
    std::optional<std::string> profile_;
    std::optional<std::string> desc_;
    std::string command_;
    std::vector<std::string> operands_;
};
