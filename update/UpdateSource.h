#pragma once
// Where updates are published: a folder on an https server that holds update.xml and the archives.
// Thread contract: a value type.

#include <filesystem>
#include <string>

struct UpdateSource {
    // The folder's address (the upgrade address of config.xml), with or without a closing slash.
    std::wstring baseUrl;
    // A PEM file trusted instead of the system's certificate store (tests only); usually empty.
    std::filesystem::path trustedCertificates;

    std::wstring ManifestUrl() const { return FileUrl(L"update.xml"); }
    // The address of a file in the folder, joined with exactly one slash.
    std::wstring FileUrl(const std::wstring& name) const;
};
