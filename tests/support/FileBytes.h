#pragma once
// Whole files as bytes, for tests that prepare input files and compare what the code wrote.
// Thread contract: free functions without shared state; safe from any thread.

#include <filesystem>
#include <string>
#include <string_view>

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// Replaces the file with `bytes`, making its folders on the way.
void WriteFile(const std::filesystem::path& file, std::string_view bytes);
