#pragma once
// The operands of one command, after its name.
// Thread contract: a plain value; any thread.

#include <string>
#include <vector>

using Operands = std::vector<std::string>;
