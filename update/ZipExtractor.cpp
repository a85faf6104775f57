#include "update/ZipExtractor.h"

#include "update/CleanEntryName.h"

#include <unzip.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

struct ArchiveCloser {
    void operator()(void* archive) const { unzClose(archive); }
};
using ArchiveHandle = std::unique_ptr<void, ArchiveCloser>;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr unsigned kHostUnix = 3;
constexpr unsigned kHostMac = 19;
constexpr unsigned long kDosReadOnly = 0x01;
constexpr unsigned long kFlagEncrypted = 0x01;

struct EntryInfo {
    std::string storedName;
    unz_file_info64 info{};
};

bool ReadEntryInfo(unzFile archive, EntryInfo& entry)
{
    std::array<char, 65536> name{};
    if (unzGetCurrentFileInfo64(archive, &entry.info, name.data(), name.size(), nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return false;
    entry.storedName.assign(name.data(), std::min<size_t>(entry.info.size_filename, name.size() - 1));
    return true;
}

// The file type and permission bits only exist in archives made on Unix-like systems.
mode_t UnixMode(const unz_file_info64& info)
{
    unsigned host = info.version >> 8;
    if (host != kHostUnix && host != kHostMac)
        return 0;
    return static_cast<mode_t>(info.external_fa >> 16);
}

bool IsDirectoryEntry(const EntryInfo& entry)
{
    char last = entry.storedName.empty() ? '\0' : entry.storedName.back();
    return last == '/' || last == '\\' || S_ISDIR(UnixMode(entry.info));
}

// Never set-id bits and never writable by others, whatever the archive asks for.
mode_t SafePermissions(const unz_file_info64& info)
{
    mode_t mode = UnixMode(info) & 0777;
    if (mode == 0)
        mode = (info.external_fa & kDosReadOnly) ? 0444 : 0644;
    return mode & 0755;
}

std::time_t EntryTime(const unz_file_info64& info)
{
    std::tm time{};
    time.tm_sec = static_cast<int>(info.tmu_date.tm_sec);
    time.tm_min = static_cast<int>(info.tmu_date.tm_min);
    time.tm_hour = static_cast<int>(info.tmu_date.tm_hour);
    time.tm_mday = static_cast<int>(info.tmu_date.tm_mday);
    time.tm_mon = static_cast<int>(info.tmu_date.tm_mon);
    time.tm_year = static_cast<int>(info.tmu_date.tm_year) - 1900;
    time.tm_isdst = -1;
    return std::mktime(&time);
}

bool IsInside(const fs::path& root, const fs::path& path)
{
    auto [rootEnd, pathPos] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

// The target's folder as it really is on disk, created when missing; empty when it would lie
// outside root (a symbolic link already in the folder could otherwise lead out of it).
fs::path PrepareFolder(const fs::path& root, const fs::path& folder)
{
    std::error_code error;
    if (!IsInside(root, fs::weakly_canonical(folder, error)) || error)
        return {};
    fs::create_directories(folder, error);
    fs::path real = fs::canonical(folder, error);
    if (error || !IsInside(root, real))
        return {};
    return real;
}

enum class CopyResult { Written, Failed, TooLarge };

// Inflates the current entry into a hidden file beside the target and renames it over the target,
// so a failed entry never leaves half a file and an existing link at the target is replaced, not
// followed.
CopyResult WriteEntry(unzFile archive, const unz_file_info64& info, const fs::path& target,
                      std::uint64_t& budget)
{
    std::string temporary = (target.parent_path() / ".unpack-XXXXXX").string();
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0)
        return CopyResult::Failed;
    FileHandle file(fdopen(descriptor, "wb"));
    if (!file) {
        close(descriptor);
        unlink(temporary.c_str());
        return CopyResult::Failed;
    }

    CopyResult result = CopyResult::Written;
    if (unzOpenCurrentFile(archive) != UNZ_OK) {
        result = CopyResult::Failed;
    } else {
        std::array<char, 65536> buffer;
        int count;
        while ((count = unzReadCurrentFile(archive, buffer.data(), buffer.size())) > 0) {
            if (static_cast<std::uint64_t>(count) > budget) {
                result = CopyResult::TooLarge;
                break;
            }
            budget -= static_cast<std::uint64_t>(count);
            if (std::fwrite(buffer.data(), 1, static_cast<size_t>(count), file.get()) !=
                static_cast<size_t>(count)) {
                result = CopyResult::Failed;
                break;
            }
        }
        if (count < 0)
            result = CopyResult::Failed;
        // Closing checks the entry's CRC once it has been read to its end.
        if (unzCloseCurrentFile(archive) != UNZ_OK && result == CopyResult::Written)
            result = CopyResult::Failed;
    }

    if (result == CopyResult::Written) {
        std::time_t when = EntryTime(info);
        const timespec times[2] = {{when, 0}, {when, 0}};
        if (std::fflush(file.get()) != 0 || fchmod(descriptor, SafePermissions(info)) != 0 ||
            (when != -1 && futimens(descriptor, times) != 0))
            result = CopyResult::Failed;
    }
    if (std::fclose(file.release()) != 0 && result == CopyResult::Written)
        result = CopyResult::Failed;
    if (result == CopyResult::Written && std::rename(temporary.c_str(), target.c_str()) != 0)
        result = CopyResult::Failed;
    if (result != CopyResult::Written)
        unlink(temporary.c_str());
    return result;
}

} // namespace

ZipExtractor::ZipExtractor(std::uint64_t maxUnpackedBytes) : maxUnpackedBytes_(maxUnpackedBytes) {}

ZipExtractor::Result ZipExtractor::Extract(const fs::path& archivePath, const fs::path& folder)
{
    written_.clear();
    ArchiveHandle archive(unzOpen64(archivePath.c_str()));
    if (!archive)
        return Result::CannotOpen;
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path root = fs::canonical(folder, error);
    if (error)
        return Result::CannotOpen;

    std::uint64_t budget = maxUnpackedBytes_;
    for (int status = unzGoToFirstFile(archive.get()); status == UNZ_OK;
         status = unzGoToNextFile(archive.get())) {
        EntryInfo entry;
        if (!ReadEntryInfo(archive.get(), entry) || S_ISLNK(UnixMode(entry.info)) ||
            (entry.info.flag & kFlagEncrypted))
            continue;
        std::optional<fs::path> name = CleanEntryName(entry.storedName);
        if (!name)
            continue;
        if (IsDirectoryEntry(entry)) {
            PrepareFolder(root, root / *name);
            continue;
        }
        fs::path parent = PrepareFolder(root, (root / *name).parent_path());
        if (parent.empty())
            continue;
        CopyResult copied = WriteEntry(archive.get(), entry.info, parent / name->filename(), budget);
        if (copied == CopyResult::TooLarge)
            return Result::TooLarge;
        if (copied == CopyResult::Written)
            written_.push_back(*name);
    }
    return Result::Unpacked;
}

bool UnzipToFolder(const fs::path& archivePath, const fs::path& folder)
{
    return ZipExtractor().Extract(archivePath, folder) == ZipExtractor::Result::Unpacked;
}
