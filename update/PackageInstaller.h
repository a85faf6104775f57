#pragma once
// The two update tasks of the device worker: task 21 fetches the driver package, task 22 the
// firmware tool. Each reads the manifest, downloads the archive it names into the temporary folder
// (<user data folder>/temp), checks the archive's size and SHA-256 against the manifest, unpacks it
// there, starts the installer it brought and ends the program. Any failure simply ends the task:
// nothing is unpacked or started from an archive that does not match, and only an installer that
// came out of this archive is started.
// Thread contract: the tasks run on the device worker thread; StopDownload may be called from any
// thread.

#include "update/PackageDownloader.h"
#include "update/PackageKind.h"
#include "update/UpdateSource.h"

#include <filesystem>
#include <string>

class InstallerLauncher;
class UpdateWindow;

class PackageInstaller {
public:
    PackageInstaller(UpdateSource source, std::filesystem::path userDataFolder, UpdateWindow& window,
                     InstallerLauncher& launcher);

    void DownloadDriverPackage() { Install(PackageKind::DriverPackage); }
    void DownloadFirmwareTool() { Install(PackageKind::FirmwareTool); }

    void StopDownload() { downloader_.Stop(); }

    std::filesystem::path TemporaryFolder() const { return userDataFolder_ / "temp"; }

private:
    void Install(PackageKind kind);

    UpdateSource source_;
    std::filesystem::path userDataFolder_;
    UpdateWindow& window_;
    InstallerLauncher& launcher_;
    PackageDownloader downloader_;
};
