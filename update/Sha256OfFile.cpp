#include "update/Sha256OfFile.h"

#include <glib.h>

#include <array>
#include <fstream>
#include <memory>

namespace {

struct ChecksumDeleter {
    void operator()(GChecksum* checksum) const { g_checksum_free(checksum); }
};

} // namespace

std::string Sha256OfFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::unique_ptr<GChecksum, ChecksumDeleter> checksum(g_checksum_new(G_CHECKSUM_SHA256));
    std::array<char, 65536> buffer;
    while (file.read(buffer.data(), buffer.size()) || file.gcount() > 0)
        g_checksum_update(checksum.get(), reinterpret_cast<const guchar*>(buffer.data()),
                          static_cast<gssize>(file.gcount()));
    if (file.bad())
        return {};
    return g_checksum_get_string(checksum.get());
}
