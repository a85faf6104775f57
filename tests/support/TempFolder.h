#pragma once
// A fresh private folder under the system's temporary folder for one test (or one fuzz run), removed
// with everything in it when the object ends.
// Thread contract: made and destroyed on one thread; the const members may be called from any thread.

#include <filesystem>
#include <string_view>

class TempFolder {
public:
    // Throws std::runtime_error when no folder can be made: GoogleTest reports it as the test's
    // failure, and a fuzz target stops at once.
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes `bytes` to the file `name` (a path relative to the folder, its folders made on the way)
    // and returns the file's path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};
