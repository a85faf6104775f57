#pragma once
// Builds ZIP archives for tests with minizip's writer, including the hostile shapes a server could
// send: odd names, symbolic-link entries, entries that inflate to far more than they take.

#include <filesystem>
#include <string>
#include <vector>

struct TestEntry {
    std::string name;
    std::string data;
    bool deflated = true;
    unsigned unixMode = 0; // type and permission bits; 0 writes a DOS-style entry
};

// False when minizip could not write the archive.
bool WriteTestArchive(const std::filesystem::path& path, const std::vector<TestEntry>& entries);

// Every regular file and link below folder, relative to it, sorted.
std::vector<std::string> ListTree(const std::filesystem::path& folder);
