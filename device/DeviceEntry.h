#pragma once
// What the device manager tells about one opened vendor interface. The handle itself stays inside
// the manager, so a copy of this record can outlive the interface safely.

#include <cstdint>

struct DeviceEntry {
    int index = 0;               // position in the entry list when it was added
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    int releaseNumber = 0;       // bcdDevice, shown as the device's version
    int deviceType = 0;          // of the first filter with this vid and pid
    int mode = 0;                // connection mode of that filter
};
