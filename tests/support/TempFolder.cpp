#include "support/TempFolder.h"

#include "support/FileBytes.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "pelmaro-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    // A test may have taken its own rights away from the folder to provoke a write error.
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TempFolder::Write(std::string_view name, std::string_view bytes) const
{
    const fs::path file = path_ / name;
    WriteFile(file, bytes);
    return file;
}
