#pragma once
// The HID function table over the real hidapi library (hidraw backend). Report descriptors are read
// from the hidraw node itself, since this hidapi version cannot hand them out.
// Thread contract: one object per process (it owns hidapi's global state); every operation may be
// called from any thread once the object exists.

#include "device/HidApi.h"

class HidapiBackend final : public HidApi {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;
};
