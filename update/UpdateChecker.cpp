#include "update/UpdateChecker.h"

#include "update/UpdateWindow.h"

#include <fstream>

namespace {

constexpr std::chrono::hours kCheckInterval{24};

} // namespace

UpdateChecker::UpdateChecker(UpdateSource source, std::filesystem::path stampFile,
                             std::wstring runningDriverVersion, std::wstring knownFirmwareVersion,
                             UpdateWindow& window)
    : source_(std::move(source)), stampFile_(std::move(stampFile)),
      runningDriverVersion_(std::move(runningDriverVersion)),
      knownFirmwareVersion_(std::move(knownFirmwareVersion)), window_(window)
{
}

UpdateChecker::~UpdateChecker()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
}

void UpdateChecker::Start()
{
    if (!thread_.joinable())
        thread_ = std::thread([this] { CheckNow(std::chrono::system_clock::now()); });
}

UpdateChecker::Outcome UpdateChecker::CheckNow(std::chrono::system_clock::time_point now)
{
    if (ReadRecently(now))
        return Outcome::Skipped;
    std::optional<UpdateManifest> manifest = UpdateManifest::Fetch(source_, [this] { return !stopping_; });
    if (!manifest)
        return Outcome::Failed;
    RememberRead(now);
    {
        std::lock_guard lock(mutex_);
        latest_ = *manifest;
    }
    if (manifest->driverPackage && IsNewerVersion(manifest->driverPackage->version, runningDriverVersion_))
        window_.Post(UpdateWindow::kUpdateOfferMessage, static_cast<std::uintptr_t>(PackageKind::DriverPackage), 0);
    if (manifest->firmwareTool && IsNewerVersion(manifest->firmwareTool->version, knownFirmwareVersion_))
        window_.Post(UpdateWindow::kUpdateOfferMessage, static_cast<std::uintptr_t>(PackageKind::FirmwareTool), 0);
    return Outcome::Checked;
}

std::wstring UpdateChecker::OfferedVersion(PackageKind kind) const
{
    std::lock_guard lock(mutex_);
    const std::optional<PackageOffer>& offer = latest_.Offer(kind);
    return offer ? offer->version : std::wstring();
}

// A stamp from the future (the clock was set back) does not hold the check off.
bool UpdateChecker::ReadRecently(std::chrono::system_clock::time_point now) const
{
    std::ifstream stamp(stampFile_);
    long long seconds = 0;
    if (!(stamp >> seconds))
        return false;
    std::chrono::system_clock::time_point last{std::chrono::seconds(seconds)};
    return last <= now && now - last < kCheckInterval;
}

// Written beside and renamed over the old stamp, so a crash never leaves half a number.
void UpdateChecker::RememberRead(std::chrono::system_clock::time_point now) const
{
    std::error_code error;
    std::filesystem::create_directories(stampFile_.parent_path(), error);
    std::filesystem::path temporary = stampFile_;
    temporary += ".new";
    {
        std::ofstream stamp(temporary, std::ios::trunc);
        stamp << std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count() << '\n';
        if (!stamp.flush())
            return;
    }
    std::filesystem::rename(temporary, stampFile_, error);
}
