// Feeds arbitrary bytes to the archive reader as if a server had sent them, and checks that nothing
// is ever written outside the extraction folder.

#include "update/ZipExtractor.h"

#include "support/TempFolder.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TempFolder scratch;
    int archive = memfd_create("archive", 0);
    if (archive < 0 || write(archive, data, size) != static_cast<ssize_t>(size))
        std::abort();

    const fs::path folder = scratch.Path() / "temp";
    ZipExtractor extractor(1 << 20);
    extractor.Extract("/proc/self/fd/" + std::to_string(archive), folder);
    close(archive);

    for (const fs::path& written : extractor.WrittenFiles()) {
        if (written.is_absolute() || *written.begin() == "..")
            std::abort();
    }
    // Only the extraction folder may have appeared.
    for (const auto& item : fs::directory_iterator(scratch.Path())) {
        if (item.path() != folder)
            std::abort();
    }
    fs::remove_all(folder);
    return 0;
}
