#include "support/TempHome.h"

#include <cstdlib>
#include <utility>

namespace fs = std::filesystem;

TempHome::TempHome()
{
    const std::pair<const char*, fs::path> variables[] = {
        {"HOME", folder_ / "home"},
        {"XDG_CONFIG_HOME", ConfigHome()},
        {"XDG_DATA_HOME", DataHome()},
        {"XDG_RUNTIME_DIR", RuntimeDir()},
    };
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old ? old : ""});
        fs::create_directories(value);
        setenv(name, value.c_str(), 1);
    }
}

TempHome::~TempHome()
{
    for (const Saved& s : saved_) {
        if (s.present)
            setenv(s.name.c_str(), s.value.c_str(), 1);
        else
            unsetenv(s.name.c_str());
    }
}
