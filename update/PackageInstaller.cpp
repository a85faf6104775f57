#include "update/PackageInstaller.h"

#include "common/TextConvert.h"
#include "update/InstallerLauncher.h"
#include "update/Sha256OfFile.h"
#include "update/UpdateManifest.h"
#include "update/UpdateWindow.h"
#include "update/ZipExtractor.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

bool Matches(const fs::path& archive, const PackageOffer& offer)
{
    std::error_code error;
    return fs::file_size(archive, error) == offer.size && !error && Sha256OfFile(archive) == offer.sha256;
}

} // namespace

PackageInstaller::PackageInstaller(UpdateSource source, fs::path userDataFolder, UpdateWindow& window,
                                   InstallerLauncher& launcher)
    : source_(std::move(source)), userDataFolder_(std::move(userDataFolder)), window_(window),
      launcher_(launcher), downloader_(source_.trustedCertificates)
{
}

void PackageInstaller::Install(PackageKind kind)
{
    // The manifest is read again here: an offer message may come from outside the program and
    // carries no address, so what is fetched is always what the publisher's manifest names.
    std::optional<UpdateManifest> manifest = UpdateManifest::Fetch(source_);
    if (!manifest || !manifest->Offer(kind))
        return;
    const PackageOffer& offer = *manifest->Offer(kind);

    const fs::path folder = TemporaryFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path archive = folder / ToUtf8(offer.archive);
    fs::remove(archive, error);

    if (downloader_.Download(source_.FileUrl(offer.archive), archive, &window_, offer.size) !=
        PackageDownloader::kDone)
        return;
    if (!Matches(archive, offer)) {
        fs::remove(archive, error);
        return;
    }
    ZipExtractor extractor;
    if (extractor.Extract(archive, folder) != ZipExtractor::Result::Unpacked)
        return;
    fs::remove(archive, error);

    const std::vector<fs::path>& written = extractor.WrittenFiles();
    for (const std::wstring& name : InstallerNames(kind, offer.version)) {
        fs::path installer = ToUtf8(name);
        if (std::find(written.begin(), written.end(), installer) == written.end())
            continue;
        // Leaving without a started installer would only lose the program for nothing.
        if (launcher_.Launch(folder / installer))
            window_.EndProgram();
        return;
    }
}
