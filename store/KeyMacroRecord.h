#pragma once
// One row of t_key_macro_data: the function assigned to one button of one profile.

#include <string>

struct KeyMacroRecord {
    int key_id = 0;
    int profile = 0;
    int fn_layer = 0;
    int key_code = 0;
    int layout_value = 0;
    std::wstring layout_desc;
    int macro_type = 0;
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    std::wstring macro_desc;
};
