#pragma once
// One row of t_macrorecord: one event of a macro; a macro's events are ordered by record_index.

#include <string>

struct MacroEventRecord {
    int record_id = 0;
    int macro_id = 0;
    int type = 0;
    int record_index = 0;
    int value = 0;
    int delay_time = 0;
    std::wstring desc;
};
