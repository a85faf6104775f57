#pragma once
// The mouse models the program supports, read from config.xml: each model, each of its USB
// identities (one per connection mode) and the software section. A HID interface that no catalogue
// entry names is never opened.
// Thread contract: Load on one thread before the catalogue is shared; afterwards const reads from
// any thread.

#include "device/DeviceModel.h"
#include "device/SoftwareInfo.h"

#include <filesystem>
#include <vector>

class DeviceManager;

class DeviceCatalogue {
public:
    // Replaces both lists with the contents of `configFile`; the software fields the file gives
    // replace the previous ones. Model pictures are named relative to `skinFolder`/device. False
    // (both lists empty) when the file cannot be read, is not well-formed or has no config root.
    bool Load(const std::filesystem::path& configFile, const std::filesystem::path& skinFolder);

    // One entry per model, in file order, with the mode fields empty.
    const std::vector<DeviceModel>& Models() const { return models_; }
    // One entry per pair of a model and one of its modes, in file order.
    const std::vector<DeviceModel>& Modes() const { return modes_; }
    const SoftwareInfo& Software() const { return software_; }

    // Clears the manager's filters and adds one per mode.
    void RegisterFilters(DeviceManager& manager) const;

    // The model the program starts with: the one of `storedType` when listed, else the first; 0
    // when the catalogue is empty.
    int ChooseDeviceType(int storedType) const;
    // The model key of the first model of `deviceType`; empty when none has it.
    std::wstring DeviceAttrOf(int deviceType) const;

    // Reads a "vid" or "pid" text: leading blanks skipped, an optional "0x", hexadecimal digits up to
    // the first other character. Empty or non-hexadecimal text gives 0; large values are clamped.
    static int HexToInt(std::wstring_view text);

private:
    std::vector<DeviceModel> models_;
    std::vector<DeviceModel> modes_;
    SoftwareInfo software_;
};
