#pragma once
// One row of t_profile_data.

#include <string>

struct ProfileRecord {
    int profile = 0;
    std::wstring name;
    std::wstring app;
    int type = 0;
    int status = 0; // 1 for the one active profile
};
