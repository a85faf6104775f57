#pragma once
// The update manifest, update.xml, published beside the packages:
//
//   <update>
//     <driver version="5.6.0.0" archive="Zelvo-Driver-5.6.0.0.zip" size="1048576" sha256="..."/>
//     <firmware version="2.0.4.0" archive="Flintor-2.0.4.0.zip" size="524288" sha256="..."/>
//   </update>
//
// Either element may be missing. An element is taken only when it is complete and sound: a version
// of one to four dot-separated numbers, the archive name the program expects for that version, a
// size above zero and a SHA-256 of 64 hex digits; otherwise that package is not offered.
// Thread contract: a value type; Parse, Fetch and IsNewerVersion may be called from any thread.

#include "update/HttpsRequest.h"
#include "update/PackageKind.h"
#include "update/UpdateSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct PackageOffer {
    std::wstring version;
    std::wstring archive;
    std::uint64_t size = 0;
    std::string sha256; // lower-case hex

    bool operator==(const PackageOffer&) const = default;
};

struct UpdateManifest {
    std::optional<PackageOffer> driverPackage;
    std::optional<PackageOffer> firmwareTool;

    const std::optional<PackageOffer>& Offer(PackageKind kind) const
    {
        return kind == PackageKind::DriverPackage ? driverPackage : firmwareTool;
    }

    // Nothing when the text is not a well-formed manifest.
    static std::optional<UpdateManifest> Parse(std::string_view xml);

    // Reads the source's update.xml; nothing when it cannot be fetched or is not a manifest.
    // Blocks the calling thread until then, or until keepGoing says no.
    static std::optional<UpdateManifest> Fetch(const UpdateSource& source,
                                               const HttpsRequest::KeepGoing& keepGoing = [] { return true; });
};

// Compares dot-separated version numbers part by part ("2.0.10" is newer than "2.0.9"); missing
// parts count as 0. A running version that is not a version number counts as older than any offer.
bool IsNewerVersion(std::wstring_view offered, std::wstring_view running);
