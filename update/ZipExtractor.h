#pragma once
// Unpacks a ZIP archive (stored and deflated entries) into a folder, entry by entry in archive
// order, without ever writing outside that folder.
// Thread contract: one extractor per thread; separate extractors may run at the same time.

#include <cstdint>
#include <filesystem>
#include <vector>

class ZipExtractor {
public:
    enum class Result {
        CannotOpen, // not a readable ZIP archive; nothing was written
        Unpacked,   // every entry was tried; entries that could not be written were skipped
        TooLarge,   // unpacking stopped when the entries grew past the size bound
    };

    // A real update package is far smaller; the bound keeps a deflate bomb from filling the disk.
    static constexpr std::uint64_t kDefaultMaxUnpackedBytes = std::uint64_t{2} << 30;

    explicit ZipExtractor(std::uint64_t maxUnpackedBytes = kDefaultMaxUnpackedBytes);

    // Directory entries become folders; file entries replace existing files and keep the entry's
    // times and (safe) permission bits. Entry names are cleaned by CleanEntryName; refused names,
    // symbolic links, encrypted entries and entries with a bad checksum are skipped.
    Result Extract(const std::filesystem::path& archivePath, const std::filesystem::path& folder);

    // Files written by the last Extract, relative to its folder, in archive order.
    const std::vector<std::filesystem::path>& WrittenFiles() const { return written_; }

private:
    std::uint64_t maxUnpackedBytes_;
    std::vector<std::filesystem::path> written_;
};

// False when the archive cannot be opened or was refused for its unpacked size, else true.
bool UnzipToFolder(const std::filesystem::path& archivePath, const std::filesystem::path& folder);
