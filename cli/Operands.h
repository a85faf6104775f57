#pragma once
// The operands of one command, after its name.

#include <string>
#include <vector>

using Operands = std::vector<std::string>;
