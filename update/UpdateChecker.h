#pragma once
// Looks for updates in the background, at most once a day: reads the manifest and, for each package
// it offers in a newer version than the one in use, posts the window the update offer (message 1692,
// wParam 1 driver package, 2 firmware tool), exactly as an outside sender would. The time of the
// last successful read is kept in a small file, so the day counts across runs.
// Thread contract: construct, Start and destroy on one thread; the check runs on a thread of its
// own; OfferedVersion may be called from any thread.

#include "update/UpdateManifest.h"
#include "update/UpdateSource.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

class UpdateWindow;

class UpdateChecker {
public:
    enum class Outcome {
        Skipped, // the manifest was read less than a day ago
        Failed,  // no manifest could be read; the next start tries again
        Checked, // the manifest was read and newer packages offered
    };

    // stampFile: where the time of the last read is kept (in the user data folder). The versions
    // are those in use: the program's own, and the firmware tool's last known one.
    UpdateChecker(UpdateSource source, std::filesystem::path stampFile, std::wstring runningDriverVersion,
                  std::wstring knownFirmwareVersion, UpdateWindow& window);
    // Abandons a check still waiting on the network and waits for its thread.
    ~UpdateChecker();
    UpdateChecker(const UpdateChecker&) = delete;
    UpdateChecker& operator=(const UpdateChecker&) = delete;

    // Runs CheckNow once on a background thread; later calls do nothing.
    void Start();

    // The check itself, on the calling thread, as of now.
    Outcome CheckNow(std::chrono::system_clock::time_point now);

    // The version the last manifest offers for kind, or empty when it offers none.
    std::wstring OfferedVersion(PackageKind kind) const;

private:
    bool ReadRecently(std::chrono::system_clock::time_point now) const;
    void RememberRead(std::chrono::system_clock::time_point now) const;

    UpdateSource source_;
    std::filesystem::path stampFile_;
    std::wstring runningDriverVersion_;
    std::wstring knownFirmwareVersion_;
    UpdateWindow& window_;
    mutable std::mutex mutex_;
    UpdateManifest latest_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};
