#include "TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "pelmaro-shell-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

TempHome::TempHome()
{
    const std::pair<const char*, fs::path> variables[] = {
        {"HOME", folder_ / "home"},
        {"XDG_CONFIG_HOME", ConfigHome()},
        {"XDG_DATA_HOME", DataHome()},
        {"XDG_RUNTIME_DIR", folder_ / "runtime"},
    };
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old ? old : ""});
        fs::create_directories(value);
        setenv(name, value.c_str(), 1);
    }
}

TempHome::~TempHome()
{
    for (const Saved& s : saved_) {
        if (s.present)
            setenv(s.name.c_str(), s.value.c_str(), 1);
        else
            unsetenv(s.name.c_str());
    }
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}
