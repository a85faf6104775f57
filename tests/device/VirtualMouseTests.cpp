#include "device/VirtualMouse.h"

#include "device/ReportDescriptor.h"
#include "device/TestModes.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr VirtualMouse::LinkIdentity kCableId{0x1A2B, 0x0C4D};
constexpr VirtualMouse::LinkIdentity kReceiverId{0x1A2B, 0x0C4E};
constexpr VirtualMouse::LinkIdentity kBluetoothId{0x1A2B, 0x0C4F};
constexpr const char* kCableVendorPath = "VIRTUAL#VID_1A2B&PID_0C4D&MI_02#CABLE";
constexpr const char* kReceiverVendorPath = "VIRTUAL#VID_1A2B&PID_0C4E&MI_02#RECEIVER";
constexpr const char* kBluetoothPath = "VIRTUAL#VID_1A2B&PID_0C4F#BLUETOOTH";

Bytes Frame(std::initializer_list<unsigned char> head)
{
    Bytes frame(65, 0);
    std::copy(head.begin(), head.end(), frame.begin());
    return frame;
}

Bytes Report(std::initializer_list<unsigned char> head)
{
    Bytes report(33, 0);
    std::copy(head.begin(), head.end(), report.begin());
    return report;
}

Bytes Read(HidDevice& device, int milliseconds = 0)
{
    Bytes report(65, 0);
    const int count = device.ReadTimeout(report.data(), report.size(), milliseconds);
    report.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    return report;
}

struct MouseFixture : testing::Test {
    VirtualMouse mouse{kCableId, kReceiverId, kBluetoothId};
    std::unique_ptr<HidDevice> cable;

    void SetUp() override
    {
        mouse.Plug(VirtualLink::Cable);
        cable = mouse.OpenPath(kCableVendorPath);
        ASSERT_TRUE(cable);
    }

    // Sends a frame and returns the status byte of the reply.
    int Send(const Bytes& frame)
    {
        EXPECT_EQ(cable->Write(frame.data(), frame.size()), static_cast<int>(frame.size()));
        const Bytes reply = Read(*cable);
        EXPECT_EQ(reply.size(), 33u);
        EXPECT_EQ(reply[0], 0x0C);
        EXPECT_EQ(reply[1], frame[1]);
        return reply.size() > 2 ? reply[2] : -1;
    }
};

TEST(VirtualMouseBus, ListsEachLinkItsInterfacesAndCollections)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    EXPECT_TRUE(mouse.Enumerate().empty());
    mouse.Plug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Bluetooth);

    std::vector<std::tuple<std::string, int, int, int>> listed;
    for (const HidInterfaceInfo& info : mouse.Enumerate()) {
        listed.emplace_back(info.path, info.productId, info.usagePage, info.usage);
    }
    const std::vector<std::tuple<std::string, int, int, int>> expected = {
        {"VIRTUAL#VID_1A2B&PID_0C4D&MI_00#CABLE", 0x0C4D, 1, 2},
        {kCableVendorPath, 0x0C4D, 0xFF91, 0},
        {kBluetoothPath, 0x0C4F, 1, 2},
        {kBluetoothPath, 0x0C4F, 0xFF91, 0},
    };
    EXPECT_EQ(listed, expected);

    // Each interface's descriptor says what the enumeration says.
    const auto vendor = ReportDescriptor::Parse(mouse.OpenPath(kCableVendorPath)->GetReportDescriptor());
    ASSERT_TRUE(vendor);
    EXPECT_EQ(vendor->TopLevelCollections(), (std::vector<HidUsage>{{0xFF91, 0}}));
    EXPECT_EQ(vendor->OutputReportLength(), 65);
    EXPECT_EQ(vendor->InputReportLength(), 33);
    const auto bluetooth = ReportDescriptor::Parse(mouse.OpenPath(kBluetoothPath)->GetReportDescriptor());
    ASSERT_TRUE(bluetooth);
    EXPECT_EQ(bluetooth->TopLevelCollections(), (std::vector<HidUsage>{{1, 2}, {0xFF91, 0}}));

    EXPECT_FALSE(mouse.OpenPath(kReceiverVendorPath)); // receiver not plugged
    EXPECT_FALSE(mouse.OpenPath("VIRTUAL#NONSENSE"));
}

TEST_F(MouseFixture, KeepsWhatEachFrameSets)
{
    // 800, 1200, 2400, 3200, 4800, 6400, 26000 at index 2.
    EXPECT_EQ(Send(Frame({0x0C, 0x63, 0x10, 0x00, 0x00, 0x06, 0x02, 0x20, 0x03, 0xB0, 0x04, 0x60, 0x09, 0x80,
                          0x0C, 0xC0, 0x12, 0x00, 0x19, 0x90, 0x65})),
              0);
    EXPECT_EQ(Send(Frame({0x0C, 0x61, 0x0B, 0x00, 0x00, 0x02, 0x02, 0x02, 0x0F, 0x00, 0x04, 0x05, 0x01, 0x00,
                          0x02, 0x00})),
              0);
    EXPECT_EQ(Send(Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x09})), 0);
    EXPECT_EQ(Send(Frame({0x0C, 0x08, 0x14, 0x00, 0x00, 0x10, 0x02, 0x00, 0x00, 0x20, 0x02, 0x04, 0x00, 0x30,
                          0xCD, 0x00, 0x00, 0x60, 0x01, 0x03, 0x01, 0x12, 0x05, 0x00, 0x00})),
              0);
    // Macro chunk of 3 bytes at offset 0x0102.
    EXPECT_EQ(Send(Frame({0x0C, 0x51, 0x03, 0x02, 0x01, 0xAA, 0xBB, 0xCC})), 0);

    const VirtualMouseSettings settings = mouse.Settings();
    EXPECT_EQ(settings.dpiLevelCount, 6);
    EXPECT_EQ(settings.dpiIndex, 2);
    EXPECT_EQ(settings.dpiValues, (std::array<std::uint16_t, 7>{800, 1200, 2400, 3200, 4800, 6400, 26000}));
    EXPECT_EQ(settings.performance, (std::array<std::uint8_t, 11>{2, 2, 2, 0x0F, 0, 4, 5, 1, 0, 2, 0}));
    EXPECT_EQ(settings.lightValue, 9);
    const std::array<std::array<std::uint8_t, 4>, 5> buttons = {
        {{0x10, 0x02, 0, 0}, {0x20, 0x02, 0x04, 0}, {0x30, 0xCD, 0, 0}, {0x60, 0x01, 0x03, 0x01}, {0x12, 0x05, 0, 0}}};
    EXPECT_EQ(settings.buttons, buttons);
    ASSERT_EQ(settings.macroArea.size(), 4000u);
    EXPECT_EQ(settings.macroArea[0x101], 0);
    EXPECT_EQ(Bytes(settings.macroArea.begin() + 0x102, settings.macroArea.begin() + 0x106),
              (Bytes{0xAA, 0xBB, 0xCC, 0x00}));

    // The reset command brings the factory settings back.
    EXPECT_EQ(Send(Frame({0x0C, 0x1F, 0xFF})), 0);
    const VirtualMouseSettings reset = mouse.Settings();
    EXPECT_EQ(reset.dpiValues, (std::array<std::uint16_t, 7>{400, 800, 1600, 3200, 6400, 12800, 26000}));
    EXPECT_EQ(reset.lightValue, 3);
    EXPECT_EQ(reset.buttons[0], (std::array<std::uint8_t, 4>{0x10, 0x01, 0, 0}));
    EXPECT_EQ(reset.macroArea, std::vector<std::uint8_t>(4000, 0));
}

TEST_F(MouseFixture, RefusesMalformedFramesAndKeepsItsSettings)
{
    const VirtualMouseSettings before = mouse.Settings();
    const std::pair<const char*, Bytes> cases[] = {
        {"DPI length", Frame({0x0C, 0x63, 0x0F})},
        {"performance length", Frame({0x0C, 0x61, 0x0C, 0x00, 0x00, 0x01})},
        {"light length", Frame({0x0C, 0x21, 0x01, 0x00, 0x00, 0x01})},
        {"buttons length", Frame({0x0C, 0x08, 0x10})},
        {"reset length", Frame({0x0C, 0x1F, 0x00})},
        {"macro chunk past the area", Frame({0x0C, 0x51, 0x1B, 0x90, 0x0F, 0x01})},  // 3984 + 27 > 4000
        {"macro chunk longer than a frame", Frame({0x0C, 0x51, 0x3D, 0x00, 0x00, 0x01})},
        {"unknown command", Frame({0x0C, 0x42, 0x00})},
    };
    for (const auto& [name, frame] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Send(frame), 1);
    }
    const VirtualMouseSettings after = mouse.Settings();
    EXPECT_EQ(after.dpiValues, before.dpiValues);
    EXPECT_EQ(after.performance, before.performance);
    EXPECT_EQ(after.lightValue, before.lightValue);
    EXPECT_EQ(after.buttons, before.buttons);
    EXPECT_EQ(after.macroArea, before.macroArea);

    // The last bytes of the area can be written, and an empty chunk is taken.
    EXPECT_EQ(Send(Frame({0x0C, 0x51, 0x02, 0x9E, 0x0F, 0x01, 0x02})), 0);
    EXPECT_EQ(Send(Frame({0x0C, 0x51, 0x00, 0xA0, 0x0F})), 0);
    EXPECT_EQ(mouse.Settings().macroArea[3999], 0x02);
}

TEST_F(MouseFixture, RefusesWritesThatAreNotItsFrames)
{
    const Bytes wrongId = Frame({0x0B, 0x21, 0x0B});
    EXPECT_EQ(cable->Write(wrongId.data(), wrongId.size()), -1);
    auto pointer = mouse.OpenPath("VIRTUAL#VID_1A2B&PID_0C4D&MI_00#CABLE");
    ASSERT_TRUE(pointer);
    const Bytes frame = Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x01});
    EXPECT_EQ(pointer->Write(frame.data(), frame.size()), -1);
    EXPECT_TRUE(mouse.Trace().empty());
    EXPECT_EQ(Read(*cable).size(), 0u);
}

TEST_F(MouseFixture, NotifiesChangesMadeOnTheMouse)
{
    mouse.PressDpiButton();                 // factory index 1 -> 2
    mouse.ChangeReportRate(2);
    mouse.SetBattery(100, true);
    mouse.SetBattery(37, false);
    for (int n = 0; n < 4; ++n) {
        mouse.PressDpiButton();             // 3, 4, 5, then around to 0 with six levels
    }
    const std::vector<Bytes> expected = {
        Report({0x0C, 0xFE, 0x03, 0x02, 0x00, 0x00, 0x02, 0x04}),
        Report({0x0C, 0xFE, 0x04, 0x02, 0x00, 0x00, 0x02, 0x02}),
        Report({0x0C, 0xFE, 0x05, 0xE4, 0x00, 0x00, 0x02, 0x02}),
        Report({0x0C, 0xFE, 0x05, 0x25, 0x00, 0x00, 0x02, 0x02}),
        Report({0x0C, 0xFE, 0x03, 0x03, 0x00, 0x00, 0x03, 0x02}),
        Report({0x0C, 0xFE, 0x03, 0x04, 0x00, 0x00, 0x04, 0x02}),
        Report({0x0C, 0xFE, 0x03, 0x05, 0x00, 0x00, 0x05, 0x02}),
        Report({0x0C, 0xFE, 0x03, 0x00, 0x00, 0x00, 0x00, 0x02}),
    };
    for (const Bytes& report : expected) {
        EXPECT_EQ(Read(*cable), report);
    }
    EXPECT_EQ(Read(*cable).size(), 0u);
    EXPECT_EQ(mouse.Settings().performance[0], 2);
}

TEST(VirtualMouseLinks, NotificationsGoToTheActiveLinkOnly)
{
    struct Case {
        bool cable, receiver, bluetooth;
        VirtualLink active;
    };
    const Case cases[] = {
        {true, true, true, VirtualLink::Cable},
        {false, true, true, VirtualLink::Receiver},
        {false, false, true, VirtualLink::Bluetooth},
    };
    for (const Case& c : cases) {
        VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
        mouse.Plug(VirtualLink::Cable);
        mouse.Plug(VirtualLink::Receiver);
        mouse.Plug(VirtualLink::Bluetooth);
        auto cable = mouse.OpenPath(kCableVendorPath);
        auto receiver = mouse.OpenPath(kReceiverVendorPath);
        auto bluetooth = mouse.OpenPath(kBluetoothPath);
        if (!c.cable) mouse.Unplug(VirtualLink::Cable);
        if (!c.receiver) mouse.Unplug(VirtualLink::Receiver);
        mouse.SetBattery(50, false);

        const std::pair<VirtualLink, HidDevice*> handles[] = {
            {VirtualLink::Cable, cable.get()}, {VirtualLink::Receiver, receiver.get()},
            {VirtualLink::Bluetooth, bluetooth.get()}};
        for (const auto& [link, handle] : handles) {
            SCOPED_TRACE(static_cast<int>(link));
            Bytes report(33, 0);
            const int read = handle->ReadTimeout(report.data(), report.size(), 0);
            if (link == c.active) {
                EXPECT_EQ(read, 33);
                EXPECT_EQ(report[3], 50);
            } else {
                EXPECT_LE(read, 0);
            }
        }
    }
}

TEST(VirtualMouseLinks, UnplugKillsHandlesAndReportsEveryInterface)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    std::vector<std::pair<DeviceChange::Kind, std::string>> changes;
    mouse.SetChangeListener([&changes](const DeviceChange& change) {
        EXPECT_EQ(change.node, change.interfacePath);
        changes.emplace_back(change.kind, change.interfacePath);
    });
    mouse.Plug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Cable); // already there: no second arrival
    auto before = mouse.OpenPath(kCableVendorPath);
    ASSERT_TRUE(before);
    mouse.Unplug(VirtualLink::Cable);
    mouse.Unplug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Bluetooth);

    using Kind = DeviceChange::Kind;
    const std::vector<std::pair<Kind, std::string>> expected = {
        {Kind::Arrival, "VIRTUAL#VID_1A2B&PID_0C4D&MI_00#CABLE"},
        {Kind::Arrival, kCableVendorPath},
        {Kind::Removal, "VIRTUAL#VID_1A2B&PID_0C4D&MI_00#CABLE"},
        {Kind::Removal, kCableVendorPath},
        {Kind::Arrival, kBluetoothPath},
    };
    EXPECT_EQ(changes, expected);

    const Bytes frame = Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x01});
    EXPECT_EQ(before->Write(frame.data(), frame.size()), -1);
    Bytes report(33, 0);
    EXPECT_EQ(before->ReadTimeout(report.data(), report.size(), 0), -1);
    EXPECT_FALSE(mouse.OpenPath(kCableVendorPath));

    // Back again: the old handle stays dead, a new one works.
    mouse.Plug(VirtualLink::Cable);
    EXPECT_EQ(before->Write(frame.data(), frame.size()), -1);
    auto after = mouse.OpenPath(kCableVendorPath);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->Write(frame.data(), frame.size()), 65);
    EXPECT_EQ(mouse.Settings().lightValue, 1);
}

TEST_F(MouseFixture, TracesEveryFrameInBothDirections)
{
    const Bytes light = Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x05});
    Send(light);
    mouse.PressDpiButton();
    mouse.Unplug(VirtualLink::Cable);
    mouse.PressDpiButton(); // with no link plugged the press reaches nobody and leaves no trace

    using Direction = VirtualTraceRecord::Direction;
    const auto trace = mouse.Trace();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0].direction, Direction::ToMouse);
    EXPECT_EQ(trace[0].bytes, light);
    EXPECT_EQ(trace[1].direction, Direction::FromMouse);
    EXPECT_EQ(trace[1].bytes, Report({0x0C, 0x21, 0x00}));
    EXPECT_EQ(trace[2].direction, Direction::FromMouse);
    EXPECT_EQ(trace[2].bytes, Report({0x0C, 0xFE, 0x03, 0x02, 0x00, 0x00, 0x02, 0x04}));
    for (const auto& record : trace) {
        EXPECT_EQ(record.link, VirtualLink::Cable);
    }
    EXPECT_EQ(trace[0].ToString(), "cable     -> 0C 21 0B 00 00 05");
    EXPECT_EQ(trace[1].ToString(), "cable     <- 0C 21");
    mouse.ClearTrace();
    EXPECT_TRUE(mouse.Trace().empty());
}

TEST(VirtualMouseBus, TakesItsIdentitiesFromTheCatalogue)
{
    const std::vector<DeviceModel> modes = {TestMode(7, 0, 0x1111, 0x0001), TestMode(101, 2, 0x1A2B, 0x0C4F),
                                            TestMode(101, 0, 0x1A2B, 0x0C4D), TestMode(101, 0, 0x2222, 0x0002)};
    const auto mouse = VirtualMouse::ForModel(modes, 101);
    for (VirtualLink link : {VirtualLink::Cable, VirtualLink::Receiver, VirtualLink::Bluetooth}) {
        mouse->Plug(link);
    }
    std::vector<std::pair<int, int>> ids;
    for (const HidInterfaceInfo& info : mouse->Enumerate()) {
        ids.emplace_back(info.vendorId, info.productId);
    }
    // Cable (two interfaces), receiver not catalogued, Bluetooth (two collections).
    const std::vector<std::pair<int, int>> expected = {
        {0x1A2B, 0x0C4D}, {0x1A2B, 0x0C4D}, {0, 0}, {0, 0}, {0x1A2B, 0x0C4F}, {0x1A2B, 0x0C4F}};
    EXPECT_EQ(ids, expected);
}

} // namespace
