#pragma once
// Points HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR at folders inside a temporary
// folder, so no test touches the real home, and restores the previous values when it ends.
// Thread contract: changes the process environment; make and destroy it while no other thread runs.

#include "support/TempFolder.h"

#include <filesystem>
#include <string>
#include <vector>

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Root() const { return folder_.Path(); }
    std::filesystem::path ConfigHome() const { return folder_ / "config"; }
    std::filesystem::path DataHome() const { return folder_ / "data"; }
    std::filesystem::path RuntimeDir() const { return folder_ / "runtime"; }

private:
    struct Saved {
        std::string name;
        bool present = false;
        std::string value;
    };
    TempFolder folder_;
    std::vector<Saved> saved_;
};
