#include "update/PackageKind.h"

std::wstring ArchiveName(PackageKind kind, const std::wstring& version)
{
    if (kind == PackageKind::DriverPackage)
        return L"Zelvo-Driver-" + version + L".zip";
    return L"Flintor-" + version + L".zip";
}

std::vector<std::wstring> InstallerNames(PackageKind kind, const std::wstring& version)
{
    if (kind == PackageKind::DriverPackage)
        return {L"zelvo-" + version + L".exe", L"Zelvo-Driver-" + version + L".exe"};
    return {L"Flintor-" + version + L".exe"};
}
