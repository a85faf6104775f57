#include "device/DeviceChangeMatcher.h"
#include "device/HidapiBackend.h"
#include "device/HidrawMonitor.h"
#include "device/ScriptedHidApi.h"
#include "device/TestModes.h"
#include "device/VirtualMouse.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceChange::Kind;

const std::vector<DeviceModel> kModes = {TestMode(101, 0, 0x1A2B, 0x0C4D), TestMode(101, 1, 0x1A2B, 0x0ABC)};

struct ChangeCase {
    const char* name;
    Kind kind;
    const char* path;
    const char* node;
    bool devicePresent;
    int task;
};

TEST(DeviceChangeMatcher, QueuesArrivalAndRemovalTasksForCataloguedVendorInterfaces)
{
    ScriptedHidApi hid;
    hid.Add({"vendor-node", 0x1A2B, 0x0C4D, 0, 0xFF91, 0}, VendorDescriptor(32, 64));
    hid.Add({"keyboard-node", 0x1A2B, 0x0C4D, 0, 1, 6}, PointerDescriptor());
    hid.Add({"nested-node", 0x1A2B, 0x0C4D, 0, 1, 2}, NestedVendorDescriptor());

    const ChangeCase cases[] = {
        {"arrival in any letter case", Kind::Arrival, "\\\\?\\hid#vid_1a2b&pid_0c4d&mi_02#7&1f2e&0&0000", "vendor-node",
         false, 2},
        {"arrival on interface 0", Kind::Arrival, "HID#VID_1A2B&PID_0C4D&MI_00#1", "vendor-node", false, 0},
        {"product id below 0x1000 keeps its zero", Kind::Arrival, "HID#VID_1A2B&PID_0ABC&MI_02#1", "vendor-node",
         false, 2},
        {"product id without its zero", Kind::Arrival, "HID#VID_1A2B&PID_ABC&MI_02#1", "vendor-node", false, 0},
        {"uncatalogued identity", Kind::Arrival, "HID#VID_1A2B&PID_0C4F&MI_02#1", "vendor-node", false, 0},
        {"interface 2 holds another collection", Kind::Arrival, "HID#VID_1A2B&PID_0C4D&MI_02#1", "keyboard-node",
         false, 0},
        {"vendor collection only nested", Kind::Arrival, "HID#VID_1A2B&PID_0C4D&MI_02#1", "nested-node", false, 0},
        {"node that does not open", Kind::Arrival, "HID#VID_1A2B&PID_0C4D&MI_02#1", "gone-node", false, 0},
        {"removal", Kind::Removal, "hid#vid_1a2b&pid_0c4d&mi_02#1", "gone-node", true, 3},
        {"removal while no device was found", Kind::Removal, "HID#VID_1A2B&PID_0C4D&MI_02#1", "", false, 0},
        {"removal of another interface", Kind::Removal, "HID#VID_1A2B&PID_0C4D&MI_01#1", "", true, 0},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceChangeMatcher matcher(hid);
        EXPECT_EQ(matcher.TaskFor({c.kind, c.path, c.node}, kModes, c.devicePresent), c.task);
    }
    // The probe closes what it opened.
    for (const auto& [path, port] : hid.ports) {
        EXPECT_EQ(port->openHandles, 0) << path;
    }
}

TEST(DeviceChangeMatcher, LogsThePathInUpperCase)
{
    ScriptedHidApi hid;
    std::vector<std::string> lines;
    DeviceChangeMatcher matcher(hid, [&lines](const std::string& line) { lines.push_back(line); });
    matcher.TaskFor({Kind::Removal, "hidraw#vid_1a2b&pid_0c4d&mi_02#hidraw3", ""}, kModes, false);
    EXPECT_EQ(lines, std::vector<std::string>{"UpdateUSBDevice path: HIDRAW#VID_1A2B&PID_0C4D&MI_02#HIDRAW3"});
}

TEST(DeviceChangeMatcher, VirtualMouseArrivalsAndRemovalsReachTheMatcher)
{
    VirtualMouse mouse({0x1A2B, 0x0C4D}, {0x1A2B, 0x0ABC}, {0x1A2B, 0x0C4F});
    DeviceChangeMatcher matcher(mouse);
    std::vector<int> tasks;
    mouse.SetChangeListener([&](const DeviceChange& change) { tasks.push_back(matcher.TaskFor(change, kModes, true)); });

    mouse.Plug(VirtualLink::Cable);     // interfaces 0 and 2
    mouse.Plug(VirtualLink::Bluetooth); // no USB interface, not catalogued here
    mouse.Unplug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Receiver);
    EXPECT_EQ(tasks, (std::vector<int>{0, 2, 0, 0, 3, 0, 2}));
}

struct EventCase {
    const char* name;
    const char* action;
    const char* sysPath;
    bool recognised;
    Kind kind;
    const char* interfacePath;
};

TEST(HidrawMonitor, BuildsTheInterfacePathFromTheSysfsPath)
{
    const EventCase cases[] = {
        {"USB interface 2", "add",
         "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1A2B:0C4D.0005/hidraw/hidraw3", true,
         Kind::Arrival, "HIDRAW#VID_1A2B&PID_0C4D&MI_02#HIDRAW3"},
        {"removal behind a hub, lower-case ids", "remove",
         "/sys/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.0/0003:1a2b:0abc.000A/hidraw/hidraw12", true,
         Kind::Removal, "HIDRAW#VID_1A2B&PID_0ABC&MI_00#HIDRAW12"},
        // Interface numbers are decimal in sysfs and hexadecimal in the path.
        {"interface 10", "add", "/sys/devices/usb1/1-1/1-1:1.10/0003:1A2B:0C4D.0001/hidraw/hidraw0", true,
         Kind::Arrival, "HIDRAW#VID_1A2B&PID_0C4D&MI_0A#HIDRAW0"},
        {"Bluetooth has no USB interface", "add",
         "/sys/devices/virtual/misc/uhid/0005:1A2B:0C4F.0007/hidraw/hidraw5", true, Kind::Arrival,
         "HIDRAW#VID_1A2B&PID_0C4F#HIDRAW5"},
        {"other action", "change", "/sys/devices/usb1/1-1/1-1:1.2/0003:1A2B:0C4D.0001/hidraw/hidraw0", false,
         Kind::Arrival, ""},
        {"no HID device in the path", "add", "/sys/devices/virtual/hidraw/hidraw0", false, Kind::Arrival, ""},
        {"malformed HID name", "add", "/sys/devices/usb1/1-1/1-1:1.2/0003:1A2B:0C4.0001/hidraw/hidraw0", false,
         Kind::Arrival, ""},
        {"empty", "add", "", false, Kind::Arrival, ""},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto change = HidrawMonitor::ChangeFromEvent(c.action, c.sysPath, "/dev/hidraw3");
        ASSERT_EQ(change.has_value(), c.recognised);
        if (change) {
            EXPECT_EQ(change->kind, c.kind);
            EXPECT_EQ(change->interfacePath, c.interfacePath);
            EXPECT_EQ(change->node, "/dev/hidraw3");
        }
    }
}

TEST(HidrawMonitor, ReceiveNeverBlocks)
{
    const auto monitor = HidrawMonitor::Create();
    if (!monitor) {
        GTEST_SKIP() << "udev is not reachable here";
    }
    EXPECT_GE(monitor->Fd(), 0);
    // With nothing pending the call must return at once: the window's loop calls it on readiness
    // only, but a spurious wake-up must not freeze the window. A blocking call hangs this test.
    monitor->Receive();
}

TEST(HidapiBackend, RefusesPathsThatAreNoHidInterface)
{
    HidapiBackend hid;
    EXPECT_FALSE(hid.OpenPath("/nonexistent/hidraw99"));
    for (const HidInterfaceInfo& info : hid.Enumerate()) {
        EXPECT_FALSE(info.path.empty());
    }
}

} // namespace
