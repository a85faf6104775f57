#pragma once
// Watches hidraw nodes come and go through libudev and reports each as a DeviceChange whose
// interface path carries "VID_%04X&PID_%04X&MI_%02X", so the catalogue can match it.
// Thread contract: one thread at a time (the window thread polls Fd() and calls Receive()).

#include "device/DeviceChange.h"

#include <memory>
#include <optional>
#include <string_view>

struct udev;
struct udev_monitor;

class HidrawMonitor {
public:
    // Null when udev cannot be reached (no netlink socket in a sandbox, for example).
    static std::unique_ptr<HidrawMonitor> Create();
    ~HidrawMonitor();
    HidrawMonitor(const HidrawMonitor&) = delete;
    HidrawMonitor& operator=(const HidrawMonitor&) = delete;

    // Readable when an event waits; never blocks a poll loop.
    int Fd() const;
    // The next waiting add or remove event; null when none waits or the event is of another kind.
    std::optional<DeviceChange> Receive();

    // Builds the change from an event's action, sysfs path and device node. The identity comes from
    // the path (".../<bus>-<port>:<config>.<interface>/<bus>:<vid>:<pid>.<n>/hidraw/hidrawN"), which
    // a removal still carries when sysfs no longer has the device. Null for other actions or paths.
    static std::optional<DeviceChange> ChangeFromEvent(std::string_view action, std::string_view sysPath,
                                                       std::string_view devNode);

private:
    struct UdevDeleter {
        void operator()(udev* context) const;
    };
    struct MonitorDeleter {
        void operator()(udev_monitor* monitor) const;
    };

    HidrawMonitor(std::unique_ptr<udev, UdevDeleter> context, std::unique_ptr<udev_monitor, MonitorDeleter> monitor);

    std::unique_ptr<udev, UdevDeleter> context_;
    std::unique_ptr<udev_monitor, MonitorDeleter> monitor_; // released before the context
};
