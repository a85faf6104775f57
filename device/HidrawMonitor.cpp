#include "device/HidrawMonitor.h"

#include <libudev.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace {

struct DeviceDeleter {
    void operator()(udev_device* device) const { udev_device_unref(device); }
};

constexpr unsigned kUsbBus = 0x0003;

// Digits of `base` (10 or 16) only, at most `maxDigits` of them.
bool ParseNumber(std::string_view text, unsigned base, std::size_t maxDigits, unsigned& value)
{
    if (text.empty() || text.size() > maxDigits) {
        return false;
    }
    value = 0;
    for (char c : text) {
        const int upper = std::toupper(static_cast<unsigned char>(c));
        const unsigned digit = std::isdigit(upper) ? static_cast<unsigned>(upper - '0')
                               : std::isxdigit(upper) ? static_cast<unsigned>(upper - 'A' + 10)
                                                      : base;
        if (digit >= base) {
            return false;
        }
        value = value * base + digit;
    }
    return true;
}

bool ParseHex(std::string_view text, unsigned& value)
{
    return ParseNumber(text, 16, 8, value);
}

bool ParseDecimal(std::string_view text, unsigned& value)
{
    return ParseNumber(text, 10, 3, value);
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

struct HidIdentity {
    unsigned bus = 0;
    unsigned vid = 0;
    unsigned pid = 0;
};

// "0003:1A2B:0C4D.0005", the name the kernel gives a HID device.
std::optional<HidIdentity> ParseHidName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    unsigned instance = 0;
    if (dot == std::string_view::npos || !ParseHex(name.substr(dot + 1), instance)) {
        return std::nullopt;
    }
    const auto fields = Split(name.substr(0, dot), ':');
    HidIdentity id;
    if (fields.size() != 3 || fields[0].size() != 4 || fields[1].size() != 4 || fields[2].size() != 4 ||
        !ParseHex(fields[0], id.bus) || !ParseHex(fields[1], id.vid) || !ParseHex(fields[2], id.pid)) {
        return std::nullopt;
    }
    return id;
}

// "1-2.4:1.2", the name of a USB interface: the number after the last dot is bInterfaceNumber.
std::optional<unsigned> ParseUsbInterfaceName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    const std::size_t dot = name.rfind('.');
    unsigned configuration = 0;
    unsigned number = 0;
    if (colon == std::string_view::npos || dot == std::string_view::npos || dot < colon ||
        !ParseDecimal(name.substr(colon + 1, dot - colon - 1), configuration) ||
        !ParseDecimal(name.substr(dot + 1), number)) {
        return std::nullopt;
    }
    return number;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

} // namespace

void HidrawMonitor::UdevDeleter::operator()(udev* context) const
{
    udev_unref(context);
}

void HidrawMonitor::MonitorDeleter::operator()(udev_monitor* monitor) const
{
    udev_monitor_unref(monitor);
}

HidrawMonitor::HidrawMonitor(std::unique_ptr<udev, UdevDeleter> context,
                             std::unique_ptr<udev_monitor, MonitorDeleter> monitor)
    : context_(std::move(context)), monitor_(std::move(monitor))
{
}

HidrawMonitor::~HidrawMonitor() = default;

std::unique_ptr<HidrawMonitor> HidrawMonitor::Create()
{
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    if (!context) {
        return nullptr;
    }
    // Events from udev itself, not the kernel, so the node's permissions are set when they arrive.
    std::unique_ptr<udev_monitor, MonitorDeleter> monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        return nullptr;
    }
    return std::unique_ptr<HidrawMonitor>(new HidrawMonitor(std::move(context), std::move(monitor)));
}

int HidrawMonitor::Fd() const
{
    return udev_monitor_get_fd(monitor_.get());
}

std::optional<DeviceChange> HidrawMonitor::Receive()
{
    const std::unique_ptr<udev_device, DeviceDeleter> device(udev_monitor_receive_device(monitor_.get()));
    if (!device) {
        return std::nullopt;
    }
    const char* action = udev_device_get_action(device.get());
    const char* sysPath = udev_device_get_syspath(device.get());
    const char* devNode = udev_device_get_devnode(device.get());
    if (!action || !sysPath) {
        return std::nullopt;
    }
    return ChangeFromEvent(action, sysPath, devNode ? devNode : "");
}

std::optional<DeviceChange> HidrawMonitor::ChangeFromEvent(std::string_view action, std::string_view sysPath,
                                                           std::string_view devNode)
{
    DeviceChange change;
    if (action == "add") {
        change.kind = DeviceChange::Kind::Arrival;
    } else if (action == "remove") {
        change.kind = DeviceChange::Kind::Removal;
    } else {
        return std::nullopt;
    }
    const auto parts = Split(sysPath, '/');
    for (std::size_t at = 0; at < parts.size(); ++at) {
        const auto id = ParseHidName(parts[at]);
        if (!id) {
            continue;
        }
        char identity[64];
        std::snprintf(identity, sizeof identity, "VID_%04X&PID_%04X", id->vid, id->pid);
        std::string path = std::string("HIDRAW#") + identity;
        const auto interface = at > 0 && id->bus == kUsbBus ? ParseUsbInterfaceName(parts[at - 1]) : std::nullopt;
        if (interface) {
            char number[16];
            std::snprintf(number, sizeof number, "&MI_%02X", *interface);
            path += number;
        }
        change.interfacePath = Upper(path + "#" + std::string(parts.back()));
        change.node = std::string(devNode);
        return change;
    }
    return std::nullopt;
}
