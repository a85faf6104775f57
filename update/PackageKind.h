#pragma once
// The two packages an update can bring, and the file names each one uses.
// Thread contract: pure functions, callable from any thread.

#include <string>
#include <vector>

// The values are the update offer's wParam.
enum class PackageKind { DriverPackage = 1, FirmwareTool = 2 };

// "Zelvo-Driver-<version>.zip" or "Flintor-<version>.zip".
std::wstring ArchiveName(PackageKind kind, const std::wstring& version);

// The installer to start from the unpacked archive, in order of preference.
std::vector<std::wstring> InstallerNames(PackageKind kind, const std::wstring& version);
