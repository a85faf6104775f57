#pragma once
// A private temporary folder for one test, removed with everything in it at the end; and a scope that
// points HOME and the XDG folders into such a folder so no test touches the real home.

#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Sets HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR below a temporary folder and restores
// the previous values when it ends.
class TempHome {
public:
    TempHome();
    ~TempHome();

    const std::filesystem::path& Root() const { return folder_.Path(); }
    std::filesystem::path ConfigHome() const { return folder_ / "config"; }
    std::filesystem::path DataHome() const { return folder_ / "data"; }

private:
    struct Saved {
        std::string name;
        bool present = false;
        std::string value;
    };
    TempFolder folder_;
    std::vector<Saved> saved_;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
