#include "support/FileBytes.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& file, std::string_view bytes)
{
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
