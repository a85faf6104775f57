#pragma once
// What the exchange fuzz targets share: a temporary folder holding the input file and a settings
// database with one profile and its lighting rows, removed when the process ends.

#include "store/DataStore.h"
#include "store/ProfileSetup.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class FuzzWorkspace {
public:
    FuzzWorkspace()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmaro-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder_ = pattern;
        std::filesystem::create_directory(folder_ / "db");
        if (!store_.OpenDeviceDatabase(folder_, L"Fuzz"))
            std::abort();
        ProfileSetup setup(store_, [](int id) { return L"T" + std::to_wstring(id); });
        std::vector<ProfileRecord> profiles;
        setup.LoadProfiles(profiles);
        setup.EnsureLights(1);
    }
    ~FuzzWorkspace()
    {
        store_.Close();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    DataStore& Store() { return store_; }

    // Writes the fuzzer's input to the input file and returns its path.
    std::filesystem::path Input(const std::uint8_t* data, size_t size)
    {
        const std::filesystem::path file = folder_ / "input.xml";
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return file;
    }

private:
    std::filesystem::path folder_;
    DataStore store_;
};
