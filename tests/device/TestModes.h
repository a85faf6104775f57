#pragma once
// Catalogue mode entries for tests that need only an identity and a connection mode.

#include "device/DeviceModel.h"

inline DeviceModel TestMode(int deviceType, int modeValue, int vid, int pid)
{
    DeviceModel model;
    model.deviceType = deviceType;
    model.modeValue = modeValue;
    model.vid = vid;
    model.pid = pid;
    return model;
}
