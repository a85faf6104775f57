#include "update/UpdateManifest.h"

#include "common/TextConvert.h"

#include "exchange/XmlDocument.h"

#include <algorithm>
#include <vector>

namespace {

// Far more than a manifest of two entries needs; a server that sends more is not publishing one.
constexpr std::size_t kMaxManifestBytes = 64 * 1024;
constexpr size_t kMaxVersionParts = 4;
constexpr size_t kMaxPartDigits = 9;

// The numbers of a version text, or nothing when it is not one.
std::optional<std::vector<unsigned>> VersionParts(std::wstring_view text)
{
    std::vector<unsigned> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(L'.', start);
        std::wstring_view part = text.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (part.empty() || part.size() > kMaxPartDigits ||
            !std::all_of(part.begin(), part.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }) ||
            parts.size() == kMaxVersionParts)
            return std::nullopt;
        parts.push_back(static_cast<unsigned>(DecimalToInt(part)));
        if (end == std::wstring_view::npos)
            return parts;
        start = end + 1;
    }
}

bool IsSha256(std::string_view text)
{
    return text.size() == 64 &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::optional<std::uint64_t> PositiveSize(std::string_view text)
{
    if (text.empty() || text.size() > 15 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t size = std::stoull(std::string(text));
    if (size == 0)
        return std::nullopt;
    return size;
}

// Reads one package element of the manifest; the cursor is inside <update> and is left there.
std::optional<PackageOffer> ReadOffer(XmlDocument& document, PackageKind kind)
{
    const wchar_t* element = kind == PackageKind::DriverPackage ? L"driver" : L"firmware";
    // Searches run forward only; leaving and entering <update> again starts from its first child,
    // so the two elements may come in either order.
    document.LeaveElement();
    document.EnterElement();
    if (!document.FindElement(element))
        return std::nullopt;
    PackageOffer offer;
    offer.version = document.GetAttribute(L"version");
    offer.archive = document.GetAttribute(L"archive");
    std::string sha256 = ToUtf8(document.GetAttribute(L"sha256"));
    std::transform(sha256.begin(), sha256.end(), sha256.begin(),
                   [](char c) { return (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c; });
    std::optional<std::uint64_t> size = PositiveSize(ToUtf8(document.GetAttribute(L"size")));
    // The version names files in the temporary folder, so it must be a plain version number.
    if (!VersionParts(offer.version) || offer.archive != ArchiveName(kind, offer.version) || !size ||
        !IsSha256(sha256))
        return std::nullopt;
    offer.size = *size;
    offer.sha256 = std::move(sha256);
    return offer;
}

} // namespace

std::optional<UpdateManifest> UpdateManifest::Parse(std::string_view xml)
{
    XmlDocument document;
    if (!document.SetDocumentText(FromUtf8(xml)) || !document.FindElement(L"update") || !document.EnterElement())
        return std::nullopt;
    UpdateManifest manifest;
    manifest.driverPackage = ReadOffer(document, PackageKind::DriverPackage);
    manifest.firmwareTool = ReadOffer(document, PackageKind::FirmwareTool);
    return manifest;
}

std::optional<UpdateManifest> UpdateManifest::Fetch(const UpdateSource& source,
                                                    const HttpsRequest::KeepGoing& keepGoing)
{
    std::optional<std::string> text = HttpsRequest::FetchText(ToUtf8(source.ManifestUrl()),
                                                              source.trustedCertificates, kMaxManifestBytes, keepGoing);
    return text ? Parse(*text) : std::nullopt;
}

bool IsNewerVersion(std::wstring_view offered, std::wstring_view running)
{
    std::optional<std::vector<unsigned>> offeredParts = VersionParts(offered);
    if (!offeredParts)
        return false;
    std::optional<std::vector<unsigned>> runningParts = VersionParts(running);
    if (!runningParts)
        return true;
    offeredParts->resize(kMaxVersionParts);
    runningParts->resize(kMaxVersionParts);
    return *offeredParts > *runningParts;
}
