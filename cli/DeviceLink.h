#pragma once
// pelmarectl's way to the mouse: the HID function table (the real bus, or a virtual mouse on its cable
// link), optionally traced, and the device manager over it, filtered by the catalogue and set to the
// model in use.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "device/DeviceCatalogue.h"
#include "device/DeviceManager.h"
#include "device/HidApi.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class DeviceLink {
public:
    // `trace` receives one line per report when not null.
    DeviceLink(const DeviceCatalogue& catalogue, int deviceType, bool virtualMouse, std::FILE* trace);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Every HID interface, traced when tracing; for probing beyond the catalogue.
    HidApi& Hid() { return *used_; }

    // The manager after one enumeration of the catalogued interfaces.
    DeviceManager& Manager() { return *manager_; }

    // True when an interface of the model in use is open to carry settings.
    bool HasDevice();

    // Why HasDevice is false, for the user: no interface of the model is present, or one is but
    // could not be opened (mostly missing access rights to its hidraw node).
    std::string NoDeviceReason();

private:
    // The USB identities of the model in use, one per connection mode.
    std::vector<std::pair<int, int>> identities_;
    std::unique_ptr<HidApi> backend_;
    std::unique_ptr<HidApi> tracer_;
    HidApi* used_ = nullptr;
    // Last, so its interfaces close before the tables that opened them go away.
    std::unique_ptr<DeviceManager> manager_;
};
