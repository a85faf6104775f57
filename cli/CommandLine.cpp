#include "cli/CommandLine.h"

#include <string_view>

bool CommandLine::Parse(int argc, const char* const* argv, std::string& error)
{
    bool optionsEnded = false;
    for (int at = 1; at < argc; ++at) {
        const std::string_view word = argv[at];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            if (command_.empty()) {
                command_ = word;
            } else {
                operands_.emplace_back(word);
            }
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
        } else if (word == "--virtual-mouse") {
            virtualMouse_ = true;
        } else if (word == "--trace") {
            trace_ = true;
        } else if (word == "--help" || word == "-h") {
            help_ = true;
        } else if (word == "--version") {
            version_ = true;
        } else if (word == "--profile" || word == "--desc") {
            if (at + 1 >= argc) {
                error = "option " + std::string(word) + " needs a value";
                return false;
            }
            (word == "--profile" ? profile_ : desc_) = argv[++at];
        } else if (word[1] < '0' || word[1] > '9') {
            error = "unknown option " + std::string(word);
            return false;
        } else {
            // A negative number is an operand.
            operands_.emplace_back(word);
        }
    }
    return true;
}
