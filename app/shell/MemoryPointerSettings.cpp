#include "app/shell/MemoryPointerSettings.h"

PointerSettings::Values MemoryPointerSettings::Desktop()
{
    std::lock_guard guard(lock_);
    return desktop_;
}

std::vector<std::string> MemoryPointerSettings::Writes()
{
    std::lock_guard guard(lock_);
    return writes_;
}
