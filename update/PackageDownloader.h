#pragma once
// Downloads one update archive into a file, posting the progress (0 to 100) to the window.
// Thread contract: Download runs on one thread at a time (the device worker); Stop may be called
// from any thread and ends the download after the block being read.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

class UpdateWindow;

class PackageDownloader {
public:
    static constexpr int kDone = 1;
    static constexpr int kStopped = -2;
    static constexpr int kFailed = -1;    // the address could not be fetched or the file written
    static constexpr int kNoHandle = 0;   // no HTTP client could be set up at all
    static constexpr std::size_t kBlockSize = 10240;

    // trustedCertificates: see HttpsRequest; empty uses the system's certificate store.
    explicit PackageDownloader(std::filesystem::path trustedCertificates = {});

    // Fetches url into filePath, replacing it. Progress goes to window (when given) as message 1690:
    // 0 at the start, 2 once a client exists, 8 when the answer starts, 10 once the file is created,
    // then 10 + 90 * blocks read / blocks announced after each 10240-byte block when the length is
    // known, and 100 at the end; a value is posted only when it changed. Returns kDone, kStopped,
    // kFailed or kNoHandle. A failed or stopped download leaves no file behind. Bodies longer than
    // maxBytes fail.
    int Download(const std::wstring& url, const std::filesystem::path& filePath, UpdateWindow* window,
                 std::uint64_t maxBytes = UINT64_MAX);

    void Stop() { running_ = false; }

private:
    void PostProgress(int progress);

    std::filesystem::path trustedCertificates_;
    std::atomic<bool> running_ = false;
    int lastProgress_ = -1;
    UpdateWindow* window_ = nullptr;
};
