#pragma once
// The profile file: one profile's button assignments, lighting modes (on models with lighting), DPI
// levels, device settings and desktop pointer settings, as XML for moving between computers.
//
// Layout (every value an attribute, numbers in decimal):
//   profile
//     profileinfo name
//       keyitems            item key_code macro_type macro_value macro_value2 macro_value3 macro_desc
//       Lightitems lightmode   item light_mode brightness speed direction colorful colorindex color_value
//       Mouse_DPI dpi_flag dpi_index dpi_count    DPI1 .. DPI6 value color
//       Mouse               button_respondtime .. sleep_light, each with value
//       mouse_properties    mouse_speed .. doubleclick_time, each with value
// Sections are read in this order; a missing section leaves its settings as they are.
//
// Thread contract: call from one thread at a time; the store serialises its own use.

#include <filesystem>
#include <string_view>

class DataStore;

class ProfileFile {
public:
    ProfileFile(DataStore& store, bool hasLighting);

    // Writes profile `profile` to `path` under the name shown for it in the profile list. False
    // when the file could not be written.
    bool Export(int profile, std::wstring_view displayName, const std::filesystem::path& path);

    // Reads `path` into profile `profile` as one change: either the whole file is applied or, when
    // the file is unreadable, malformed, not a profile file, or the store fails part-way, nothing
    // is. Button rows are replaced only when the file has a keyitems section. Desktop pointer
    // values outside what the desktop accepts are skipped. The file's profile name is not applied.
    bool Import(int profile, const std::filesystem::path& path);

private:
    DataStore& store_;
    bool hasLighting_;
};
