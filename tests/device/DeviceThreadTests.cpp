// The device manager and the virtual mouse are used by the window thread and the device worker at
// once; these run under ThreadSanitizer too.
#include "device/DeviceManager.h"
#include "device/VirtualMouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using Bytes = std::vector<unsigned char>;
using namespace std::chrono_literals;

constexpr int kMouseType = 101;
constexpr VirtualMouse::LinkIdentity kCableId{0x1A2B, 0x0C4D};
constexpr VirtualMouse::LinkIdentity kReceiverId{0x1A2B, 0x0C4E};
constexpr VirtualMouse::LinkIdentity kBluetoothId{0x1A2B, 0x0C4F};

Bytes LightFrame(unsigned char value)
{
    Bytes frame(DeviceManager::kReportBufferSize, 0);
    const unsigned char head[] = {0x0C, 0x21, 0x0B, 0x00, 0x00, value};
    std::copy(std::begin(head), std::end(head), frame.begin());
    return frame;
}

// An interface whose reads wait until the test lets them go, so a test can hold the worker inside
// SendReport for as long as it likes.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool reading = false;
    bool open = false;
};

class GatedHidApi final : public HidApi {
public:
    explicit GatedHidApi(Gate& gate) : gate_(gate) {}

    std::vector<HidInterfaceInfo> Enumerate() override { return {{"gated", 0x1A2B, 0x0C4D, 1, 0xFF91, 0}}; }

    std::unique_ptr<HidDevice> OpenPath(const std::string&) override
    {
        class Device final : public HidDevice {
        public:
            explicit Device(Gate& gate) : gate_(gate) {}
            int Write(const unsigned char*, std::size_t length) override { return static_cast<int>(length); }
            int ReadTimeout(unsigned char* data, std::size_t, int) override
            {
                std::unique_lock lock(gate_.mutex);
                gate_.reading = true;
                gate_.changed.notify_all();
                gate_.changed.wait(lock, [this] { return gate_.open; });
                data[0] = 0x0C;
                return 1;
            }
            std::vector<unsigned char> GetReportDescriptor() override
            {
                return {0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x0C, 0x75, 0x08, 0x95, 0x20,
                        0x09, 0x01, 0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};
            }

        private:
            Gate& gate_;
        };
        return std::make_unique<Device>(gate_);
    }

private:
    Gate& gate_;
};

TEST(DeviceManagerThreads, WindowThreadCallsDoNotWaitForDeviceIo)
{
    Gate gate;
    GatedHidApi hid(gate);
    DeviceManager manager(hid);
    manager.AddHidFilter(0x1A2B, 0x0C4D, L"", kMouseType, 0);
    manager.SetCurrentType(kMouseType);
    manager.EnumerateDevice();

    std::thread worker([&manager] {
        Bytes frame = LightFrame(1);
        EXPECT_TRUE(manager.SendReport(frame.data()));
    });
    {
        std::unique_lock lock(gate.mutex);
        ASSERT_TRUE(gate.changed.wait_for(lock, 60s, [&gate] { return gate.reading; }));
    }
    // The worker is inside SendReport now; none of these may wait for it.
    manager.SetCurrentType(0);
    manager.AddHidFilter(0x1A2B, 0x0C4E, L"", kMouseType, 1);
    EXPECT_EQ(manager.ListAllEntries().size(), 1u);
    EXPECT_EQ(manager.GetConnectionKind(), -1);
    manager.SetCurrentType(kMouseType);
    EXPECT_EQ(manager.GetConnectionKind(), 0);
    {
        std::lock_guard lock(gate.mutex);
        gate.open = true;
    }
    gate.changed.notify_all();
    worker.join();
}

TEST(DeviceManagerThreads, WorkerAndWindowThreadShareTheManager)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    mouse.Plug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Receiver);
    DeviceManager manager(mouse);
    manager.AddHidFilter(kCableId.vendorId, kCableId.productId, L"", kMouseType, 0);
    manager.AddHidFilter(kReceiverId.vendorId, kReceiverId.productId, L"", kMouseType, 1);
    manager.SetCurrentType(kMouseType);
    std::atomic<bool> done = false;

    // The worker rebuilds the entries, sends settings and reads notifications.
    std::thread worker([&] {
        for (unsigned char round = 0; round < 40; ++round) {
            manager.CloseAll();
            manager.EnumerateDevice();
            Bytes frame = LightFrame(round);
            manager.SendReport(frame.data());
            Bytes notification(DeviceManager::kReportBufferSize, 0);
            manager.ReadNotification(notification.data());
        }
        done = true;
    });
    // The window thread switches types and looks at the entries; the user plays with the mouse.
    std::thread window([&] {
        while (!done) {
            manager.SetCurrentType(0);
            manager.ListEntries();
            manager.SetCurrentType(kMouseType);
            manager.GetConnectionKind();
            manager.SelectInterface();
        }
    });
    std::thread user([&] {
        while (!done) {
            mouse.PressDpiButton();
            mouse.Unplug(VirtualLink::Receiver);
            mouse.Plug(VirtualLink::Receiver);
        }
    });
    worker.join();
    window.join();
    user.join();

    // Whatever the interleaving, the manager still works afterwards.
    manager.SetCurrentType(kMouseType);
    manager.CloseAll();
    manager.EnumerateDevice();
    Bytes frame = LightFrame(0x42);
    EXPECT_TRUE(manager.SendReport(frame.data()));
    EXPECT_EQ(mouse.Settings().lightValue, 0x42);
}

TEST(VirtualMouseThreads, PendingReadEndsWhenItsLinkIsUnplugged)
{
    // A generous time-out, and none at all.
    for (int milliseconds : {60000, -1}) {
        SCOPED_TRACE(milliseconds);
        VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
        mouse.Plug(VirtualLink::Receiver);
        auto receiver = mouse.OpenPath("VIRTUAL#VID_1A2B&PID_0C4E&MI_02#RECEIVER");
        ASSERT_TRUE(receiver);
        std::thread unplugger([&mouse] { mouse.Unplug(VirtualLink::Receiver); });
        Bytes report(33, 0);
        // Either the unplug came first or it wakes the read.
        EXPECT_EQ(receiver->ReadTimeout(report.data(), report.size(), milliseconds), -1);
        unplugger.join();
    }
}

TEST(VirtualMouseThreads, PendingReadTakesANotificationAsItComes)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    mouse.Plug(VirtualLink::Cable);
    auto cable = mouse.OpenPath("VIRTUAL#VID_1A2B&PID_0C4D&MI_02#CABLE");
    ASSERT_TRUE(cable);
    std::thread user([&mouse] { mouse.SetBattery(80, false); });
    Bytes report(33, 0);
    EXPECT_EQ(cable->ReadTimeout(report.data(), report.size(), 60000), 33);
    EXPECT_EQ(report[2], 5);
    EXPECT_EQ(report[3], 80);
    user.join();
}

} // namespace
