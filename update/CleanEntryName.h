#pragma once
// Turns the name an archive entry carries into a path that stays inside the extraction folder.
// Thread contract: pure function, callable from any thread.

#include <filesystem>
#include <optional>
#include <string_view>

// Archives made on Windows carry drive prefixes, backslashes and "..\" hops; those are stripped so
// that such a package still unpacks into the folder: a leading "X:" or separator is dropped, and so
// is everything up to and including the first "\..\", "\../", "/../" or "/..\", repeatedly. What
// is left must be a plain relative path: a name that starts out absolute ("/etc/x"), that still
// climbs out after the stripping ("../a", "a/.."), or that names nothing at all gives no path.
// Both "\" and "/" separate folders; "." and empty components are dropped.
std::optional<std::filesystem::path> CleanEntryName(std::string_view storedName);
