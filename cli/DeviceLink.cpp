#include "cli/DeviceLink.h"

#include "cli/TracingHidApi.h"
#include "device/HidapiBackend.h"
#include "device/VirtualMouse.h"

namespace {

std::unique_ptr<HidApi> MakeBackend(const DeviceCatalogue& catalogue, int deviceType, bool virtualMouse)
{
    if (!virtualMouse) {
        return std::make_unique<HidapiBackend>();
    }
    std::unique_ptr<VirtualMouse> mouse = VirtualMouse::ForModel(catalogue.Modes(), deviceType);
    mouse->Plug(VirtualLink::Cable);
    return mouse;
}

} // namespace

DeviceLink::DeviceLink(const DeviceCatalogue& catalogue, int deviceType, bool virtualMouse, std::FILE* trace)
    : backend_(MakeBackend(catalogue, deviceType, virtualMouse))
{
    for (const DeviceModel& mode : catalogue.Modes()) {
        if (mode.deviceType == deviceType) {
            identities_.emplace_back(mode.vid, mode.pid);
        }
    }
    used_ = backend_.get();
    if (trace) {
        tracer_ = std::make_unique<TracingHidApi>(*backend_, trace);
        used_ = tracer_.get();
    }
    manager_ = std::make_unique<DeviceManager>(*used_);
    catalogue.RegisterFilters(*manager_);
    manager_->SetCurrentType(deviceType);
    manager_->EnumerateDevice();
}

bool DeviceLink::HasDevice()
{
    return manager_->SelectInterface().has_value();
}

std::string DeviceLink::NoDeviceReason()
{
    for (const HidInterfaceInfo& info : used_->Enumerate()) {
        for (const auto& [vid, pid] : identities_) {
            if (info.vendorId == vid && info.productId == pid) {
                return "the mouse is plugged in but cannot be opened; give your user access to its hidraw "
                       "nodes (see \"Reaching the mouse without root\" in the README)";
            }
        }
    }
    return "no mouse is connected";
}
