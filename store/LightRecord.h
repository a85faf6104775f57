#pragma once
// One row of t_light_data: one lighting mode of one profile.

#include <string>

struct LightRecord {
    int light_id = 0;
    int profile = 0;
    std::wstring name;
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    int color_value = 0;
    int config_func = 0;
    int reserved = 0;
    int status = 0; // 1 for the active mode of the profile
};
