#pragma once
// Decides which device-worker task a HID arrival or removal calls for: an arrival of a catalogued
// interface whose vendor collection answers the probe starts task 2, the removal of a catalogued
// interface while a device is present starts task 3.
// Thread contract: call from one thread at a time (the window thread); the HID table may be shared.

#include "device/DeviceChange.h"
#include "device/DeviceModel.h"
#include "device/HidApi.h"

#include <functional>
#include <string>
#include <vector>

class DeviceChangeMatcher {
public:
    static constexpr int kNoTask = 0;
    static constexpr int kArrivalTask = 2;
    static constexpr int kRemovalTask = 3;

    using LogSink = std::function<void(const std::string& line)>;

    // `hid` must outlive the matcher; it opens arrived interfaces to probe them.
    explicit DeviceChangeMatcher(HidApi& hid, LogSink log = {});

    // `modeList` is the catalogue's list of model-and-mode entries, matched in order.
    int TaskFor(const DeviceChange& change, const std::vector<DeviceModel>& modeList, bool devicePresent);

    // True when the interface at `node` opens and its report descriptor has the vendor collection
    // at the top level.
    bool ProbeVendorCollection(const std::string& node);

private:
    HidApi& hid_;
    LogSink log_;
};
