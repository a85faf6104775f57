#pragma once
// The udev rule that lets the user at the seat open the hidraw nodes of every catalogued mouse
// identity without root: one TAG+="uaccess" line per identity, nothing else, so the file shows at a
// glance exactly which devices it opens up.
// Thread contract: stateless; any thread.

#include "device/DeviceModel.h"

#include <string>
#include <vector>

class UdevAccessRule {
public:
    // Fills `text` with one line per distinct identity of `modes`, in catalogue order. A Bluetooth mode
    // (2) is matched by the name the HID bus gives the device, since it has no USB attributes; every
    // other mode by the USB vendor and product id. False, with `error` naming the mode, when an
    // identity is not a pair of non-zero 16-bit ids, or when there is no identity at all.
    static bool Compose(const std::vector<DeviceModel>& modes, std::string& text, std::string& error);
};
