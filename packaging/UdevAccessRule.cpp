#include "packaging/UdevAccessRule.h"

#include "common/TextConvert.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBluetooth = 2;

bool IsUsbId(int id) { return id > 0 && id <= 0xFFFF; }

std::string Line(const DeviceModel& mode)
{
    char line[128];
    if (mode.modeValue == kBluetooth) {
        // The HID bus names a device BUS:VENDOR:PRODUCT.INSTANCE in upper-case hex; 0005 is Bluetooth.
        std::snprintf(line, sizeof line, "KERNEL==\"hidraw*\", KERNELS==\"0005:%04X:%04X.*\", TAG+=\"uaccess\"\n",
                      mode.vid, mode.pid);
    } else {
        // sysfs gives USB ids in lower-case hex.
        std::snprintf(line, sizeof line,
                      "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"\n",
                      mode.vid, mode.pid);
    }
    return line;
}

} // namespace

bool UdevAccessRule::Compose(const std::vector<DeviceModel>& modes, std::string& text, std::string& error)
{
    std::vector<std::string> lines;
    for (const DeviceModel& mode : modes) {
        if (!IsUsbId(mode.vid) || !IsUsbId(mode.pid)) {
            error = "mode \"" + ToUtf8(mode.desc) + "\" of \"" + ToUtf8(mode.name) +
                    "\" has no usable vid and pid (each a non-zero 16-bit hexadecimal number)";
            return false;
        }
        // Models may share a receiver; one line per identity is enough.
        std::string line = Line(mode);
        if (std::find(lines.begin(), lines.end(), line) == lines.end()) {
            lines.push_back(std::move(line));
        }
    }
    if (lines.empty()) {
        error = "the catalogue lists no mouse identity";
        return false;
    }
    text.clear();
    for (const std::string& line : lines) {
        text += line;
    }
    return true;
}
