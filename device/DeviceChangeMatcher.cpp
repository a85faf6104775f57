#include "device/DeviceChangeMatcher.h"

#include "device/ReportDescriptor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

// The first catalogue entry whose vendor interface (always interface 2) appears in `path`.
const DeviceModel* FirstMatch(const std::string& path, const std::vector<DeviceModel>& modeList)
{
    for (const DeviceModel& mode : modeList) {
        char pattern[64];
        std::snprintf(pattern, sizeof pattern, "VID_%04X&PID_%04X&MI_02", static_cast<unsigned>(mode.vid),
                      static_cast<unsigned>(mode.pid));
        if (path.find(pattern) != std::string::npos) {
            return &mode;
        }
    }
    return nullptr;
}

} // namespace

DeviceChangeMatcher::DeviceChangeMatcher(HidApi& hid, LogSink log) : hid_(hid), log_(std::move(log)) {}

int DeviceChangeMatcher::TaskFor(const DeviceChange& change, const std::vector<DeviceModel>& modeList,
                                 bool devicePresent)
{
    std::string path = change.interfacePath;
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (log_) {
        log_("UpdateUSBDevice path: " + path);
    }
    if (change.kind == DeviceChange::Kind::Arrival) {
        if (!FirstMatch(path, modeList)) {
            return kNoTask;
        }
        return ProbeVendorCollection(change.node) ? kArrivalTask : kNoTask;
    }
    if (!devicePresent || !FirstMatch(path, modeList)) {
        return kNoTask;
    }
    return kRemovalTask;
}

bool DeviceChangeMatcher::ProbeVendorCollection(const std::string& node)
{
    const std::unique_ptr<HidDevice> device = hid_.OpenPath(node);
    if (!device) {
        return false;
    }
    const auto descriptor = ReportDescriptor::Parse(device->GetReportDescriptor());
    return descriptor && descriptor->HasTopLevelCollection(ReportDescriptor::kVendorCollection);
}
