#pragma once
// One row of t_macro_data. Macros belong to the whole database file, not to a profile.

#include <string>

struct MacroRecord {
    int macro_id = 0;
    std::wstring name;
    int play_type = 0;
    int play_times = 0;
    int delay_type = 0;
    int delay_time = 0;
};
