#pragma once
// The table of HID functions the device link works through: the real hidapi library, or the virtual
// mouse. Everything that talks to a HID interface goes through one of these.
// Thread contract: every operation may be called from any thread.

#include "device/HidDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One record of an enumeration. An interface that holds several collections may be listed once per
// collection, always under the same path.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t releaseNumber = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

class HidApi {
public:
    virtual ~HidApi() = default;

    // Every HID interface present now, in the order the system lists them.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;

    // Opens an interface for reading and writing; null when it cannot be opened.
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
};
