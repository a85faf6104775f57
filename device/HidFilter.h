#pragma once
// One USB identity under which a catalogued mouse model can appear, with its connection mode
// (0 cable, 1 2.4 GHz receiver, 2 Bluetooth). Interfaces are matched by vendor and product id only.

#include <string>

struct HidFilter {
    int vid = 0;
    int pid = 0;
    std::wstring devId;
    int deviceType = 0;
    int mode = 0;
};
