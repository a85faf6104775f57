#pragma once
// Starts an unpacked installer without waiting for it. The program ends right after, so the start
// must not tie the installer to this process.
// Thread contract: implementations are called from the device worker thread.

#include <filesystem>

class InstallerLauncher {
public:
    virtual ~InstallerLauncher() = default;
    // False when nothing could be started.
    virtual bool Launch(const std::filesystem::path& installer) = 0;
};
