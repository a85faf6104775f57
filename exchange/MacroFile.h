#pragma once
// The macro file: one macro's play settings and its recorded events, as XML for sharing or keeping
// outside the settings database.
//
// Layout (every value an attribute, numbers in decimal):
//   macro
//     macroinfo macro_name macro_type play_times delay_type delay_time
//     macroitems   item desc index type value timestamp   (one per event, in index order)
//
// Thread contract: call from one thread at a time; the store serialises its own use.

#include "store/MacroRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class DataStore;

class MacroFile {
public:
    explicit MacroFile(DataStore& store);

    // Writes macro `macroId` into `folder` as "<name>-<tickMs>.xml", the name made safe for a file
    // name first. Returns the file written, or an empty path when the macro does not exist or the
    // file could not be written.
    std::filesystem::path Export(int macroId, std::wstring_view name, const std::filesystem::path& folder,
                                 std::uint64_t tickMs);

    // Adds the file's macro and its events to the store as one change. On success `imported` holds
    // the new macro (its id and name). False, with nothing added, when the file is unreadable,
    // malformed or not a macro file, or the store refuses it.
    bool Import(const std::filesystem::path& path, MacroRecord& imported);

    // `name` as a file name within one folder: separators, control characters and runs of dots
    // become '_', a leading dot too (no hidden files), and it is cut to a length every file system
    // takes. An empty name becomes "macro".
    static std::wstring SafeFileName(std::wstring_view name);

private:
    DataStore& store_;
};
