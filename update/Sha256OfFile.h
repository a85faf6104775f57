#pragma once
// The SHA-256 of a file's contents as 64 lower-case hex digits; empty when the file cannot be read.
// Thread contract: pure function, callable from any thread.

#include <filesystem>
#include <string>

std::string Sha256OfFile(const std::filesystem::path& path);
