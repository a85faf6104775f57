#include "TestArchive.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace {

struct ZipCloser {
    void operator()(void* zip) const { zipClose(zip, nullptr); }
};

// The date the tests expect to find back on unpacked files.
constexpr tm_zip kEntryDate = {30, 20, 10, 17, 4, 2020};

} // namespace

bool WriteTestArchive(const std::filesystem::path& path, const std::vector<TestEntry>& entries)
{
    std::unique_ptr<void, ZipCloser> zip(zipOpen64(path.c_str(), APPEND_STATUS_CREATE));
    if (!zip)
        return false;
    for (const TestEntry& entry : entries) {
        zip_fileinfo info{};
        info.tmz_date = kEntryDate;
        info.external_fa = static_cast<uLong>(entry.unixMode) << 16;
        uLong madeBy = entry.unixMode ? (3u << 8) | 20 : 20;
        if (zipOpenNewFileInZip4_64(zip.get(), entry.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                    nullptr, entry.deflated ? Z_DEFLATED : 0,
                                    entry.deflated ? Z_BEST_COMPRESSION : 0, 0, -MAX_WBITS,
                                    DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, madeBy, 0,
                                    0) != ZIP_OK)
            return false;
        if (!entry.data.empty() &&
            zipWriteInFileInZip(zip.get(), entry.data.data(), static_cast<unsigned>(entry.data.size())) !=
                ZIP_OK)
            return false;
        if (zipCloseFileInZip(zip.get()) != ZIP_OK)
            return false;
    }
    return zipClose(zip.release(), nullptr) == ZIP_OK;
}

std::vector<std::string> ListTree(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        if (!item.is_directory() || item.is_symlink())
            names.push_back(item.path().lexically_relative(folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
