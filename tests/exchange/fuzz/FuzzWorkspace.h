#pragma once
// What the exchange fuzz targets share: a temporary folder holding the input file and a settings
// database with one profile and its lighting rows, removed when the process ends.

#include "store/DataStore.h"
#include "store/ProfileSetup.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class FuzzWorkspace {
public:
    FuzzWorkspace()
    {
        std::filesystem::create_directory(folder_ / "db");
        if (!store_.OpenDeviceDatabase(folder_.Path(), L"Fuzz"))
            std::abort();
        ProfileSetup setup(store_, [](int id) { return L"T" + std::to_wstring(id); });
        std::vector<ProfileRecord> profiles;
        setup.LoadProfiles(profiles);
        setup.EnsureLights(1);
    }
    ~FuzzWorkspace() { store_.Close(); }

    DataStore& Store() { return store_; }

    // Writes the fuzzer's input to the input file and returns its path.
    std::filesystem::path Input(const std::uint8_t* data, size_t size)
    {
        return folder_.Write("input.xml", std::string_view(reinterpret_cast<const char*>(data), size));
    }

private:
    TempFolder folder_;  // outlives the store that keeps its database open
    DataStore store_;
};
