#pragma once
// One catalogued mouse model, or one model paired with one of its connection modes. Model entries
// leave the mode fields empty.

#include <string>

struct DeviceModel {
    std::wstring name;
    int deviceType = 0;
    std::wstring deviceAttr; // names the model's layout file and settings database
    std::wstring imagePath;
    int modeValue = 0;       // connection mode: 0 cable, 1 2.4 GHz receiver, 2 Bluetooth
    int vid = 0;
    int pid = 0;
    std::wstring devId;
    std::wstring desc;
};
