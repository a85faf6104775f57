#include "device/DeviceManager.h"
#include "device/ScriptedHidApi.h"
#include "device/VirtualMouse.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kMouseType = 101;
constexpr VirtualMouse::LinkIdentity kCableId{0x1A2B, 0x0C4D};
constexpr VirtualMouse::LinkIdentity kReceiverId{0x1A2B, 0x0C4E};
constexpr VirtualMouse::LinkIdentity kBluetoothId{0x1A2B, 0x0C4F};

void AddMouseFilters(DeviceManager& manager)
{
    manager.AddHidFilter(kCableId.vendorId, kCableId.productId, L"cable", kMouseType, 0);
    manager.AddHidFilter(kReceiverId.vendorId, kReceiverId.productId, L"receiver", kMouseType, 1);
    manager.AddHidFilter(kBluetoothId.vendorId, kBluetoothId.productId, L"bluetooth", kMouseType, 2);
}

Bytes Frame(std::initializer_list<unsigned char> head)
{
    Bytes frame(DeviceManager::kReportBufferSize, 0);
    std::copy(head.begin(), head.end(), frame.begin());
    return frame;
}

HidInterfaceInfo Info(const char* path, std::uint16_t vid, std::uint16_t pid, std::uint16_t page = 0xFF91,
                      std::uint16_t usage = 0)
{
    return {path, vid, pid, 0x0100, page, usage};
}

// --- Connection kind and interface selection, against the virtual mouse on every set of links.

struct LinkCase {
    bool cable, receiver, bluetooth;
    int kind;          // what the user is told
    int selectedMode;  // where the reports go; -1 none
};

TEST(DeviceManagerLinks, ConnectionKindAndSelectedInterfaceForEverySetOfLinks)
{
    const LinkCase cases[] = {
        {false, false, false, -1, -1},
        {true, false, false, 0, 0},
        {false, true, false, 1, 1},
        {false, false, true, 2, 2},
        {true, true, false, 0, 0},
        {true, false, true, 0, 0},
        // Receiver and Bluetooth: the user is told Bluetooth, the reports go through the receiver.
        {false, true, true, 2, 1},
        {true, true, true, 0, 0},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cable << c.receiver << c.bluetooth);
        VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
        if (c.cable) mouse.Plug(VirtualLink::Cable);
        if (c.receiver) mouse.Plug(VirtualLink::Receiver);
        if (c.bluetooth) mouse.Plug(VirtualLink::Bluetooth);
        DeviceManager manager(mouse);
        AddMouseFilters(manager);
        manager.SetCurrentType(kMouseType);
        manager.EnumerateDevice();

        EXPECT_EQ(manager.GetConnectionKind(), c.kind);
        const auto selected = manager.SelectInterface();
        EXPECT_EQ(selected ? selected->mode : -1, c.selectedMode);

        Bytes frame = Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x07});
        EXPECT_EQ(manager.SendReport(frame.data()), c.selectedMode >= 0);
        const auto trace = mouse.Trace();
        if (c.selectedMode < 0) {
            EXPECT_TRUE(trace.empty());
            continue;
        }
        ASSERT_EQ(trace.size(), 2u);
        EXPECT_EQ(static_cast<int>(trace[0].link), c.selectedMode);
        EXPECT_EQ(trace[0].bytes, Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x07}));
        // The reply of the virtual mouse replaced the request in the buffer.
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 4), (Bytes{0x0C, 0x21, 0x00, 0x00}));
    }
}

TEST(DeviceManagerLinks, EntriesOfTheCurrentTypeOnly)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    mouse.Plug(VirtualLink::Cable);
    mouse.Plug(VirtualLink::Bluetooth);
    DeviceManager manager(mouse);
    manager.AddHidFilter(kCableId.vendorId, kCableId.productId, L"", 7, 0);
    manager.AddHidFilter(kBluetoothId.vendorId, kBluetoothId.productId, L"", kMouseType, 2);
    manager.EnumerateDevice();

    // Type 0 lists everything; GetConnectionKind and selection only look at the current type.
    EXPECT_EQ(manager.ListEntries().size(), 2u);
    EXPECT_EQ(manager.GetConnectionKind(), -1);
    manager.SetCurrentType(kMouseType);
    ASSERT_EQ(manager.ListEntries().size(), 1u);
    EXPECT_EQ(manager.ListEntries()[0].mode, 2);
    EXPECT_EQ(manager.ListEntries()[0].index, 1);
    EXPECT_EQ(manager.ListAllEntries().size(), 2u);
    EXPECT_EQ(manager.GetConnectionKind(), 2);
    ASSERT_TRUE(manager.SelectInterface());
    EXPECT_EQ(manager.SelectInterface()->mode, 2);

    // Changing the type forgets the selection; the next I/O selects again.
    manager.SetCurrentType(7);
    ASSERT_TRUE(manager.SelectInterface());
    EXPECT_EQ(manager.SelectInterface()->mode, 0);

    manager.CloseAll();
    EXPECT_TRUE(manager.ListAllEntries().empty());
    EXPECT_FALSE(manager.SelectInterface());
    Bytes frame = Frame({0x0C, 0x21});
    EXPECT_FALSE(manager.SendReport(frame.data()));
    EXPECT_EQ(manager.ReadNotification(frame.data()), DeviceManager::kNoInterface);
}

TEST(DeviceManagerLinks, UnplugAndReplugNeedsANewEnumeration)
{
    VirtualMouse mouse(kCableId, kReceiverId, kBluetoothId);
    mouse.Plug(VirtualLink::Cable);
    DeviceManager manager(mouse);
    AddMouseFilters(manager);
    manager.SetCurrentType(kMouseType);
    manager.EnumerateDevice();

    mouse.Unplug(VirtualLink::Cable);
    Bytes frame = Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x01});
    EXPECT_FALSE(manager.SendReport(frame.data()));
    EXPECT_EQ(frame, Frame({0x0C, 0x21, 0x0B, 0x00, 0x00, 0x01}));

    mouse.Plug(VirtualLink::Cable);
    manager.CloseAll();
    manager.EnumerateDevice();
    EXPECT_TRUE(manager.SendReport(frame.data()));
    EXPECT_EQ(mouse.Settings().lightValue, 1);
}

// --- Enumeration, against a scripted table.

TEST(DeviceManagerEnumeration, OpensCataloguedVendorInterfacesOnly)
{
    ScriptedHidApi hid;
    ScriptedPort& foreign = hid.Add(Info("foreign", 0x9999, 0x0001), VendorDescriptor(32, 64));
    ScriptedPort& pointer = hid.Add(Info("pointer", 0x1A2B, 0x0C4D, 1, 2), PointerDescriptor());
    // One interface listed twice, once per collection, as hidapi does.
    ScriptedPort& vendor = hid.Add(Info("vendor", 0x1A2B, 0x0C4D, 1, 2), VendorDescriptor(32, 64));
    hid.records.push_back(Info("vendor", 0x1A2B, 0x0C4D));
    // Listed as vendor by the enumeration, but the vendor collection is nested, not top-level.
    ScriptedPort& nested = hid.Add(Info("nested", 0x1A2B, 0x0C4D), NestedVendorDescriptor());
    ScriptedPort& refusing = hid.Add(Info("refusing", 0x1A2B, 0x0C4E), VendorDescriptor(32, 64));
    refusing.opens = false;
    ScriptedPort& garbage = hid.Add(Info("garbage", 0x1A2B, 0x0C4E), {0x06, 0x91});
    hid.Add(Info("receiver", 0x1A2B, 0x0C4E), VendorDescriptor(32, 64));

    DeviceManager manager(hid);
    manager.AddHidFilter(0x1A2B, 0x0C4D, L"", kMouseType, 0);
    // The same identity under a second type: the first filter wins.
    manager.AddHidFilter(0x1A2B, 0x0C4D, L"", 202, 1);
    manager.AddHidFilter(0x1A2B, 0x0C4E, L"", kMouseType, 1);
    manager.EnumerateDevice();

    const auto entries = manager.ListAllEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, 0);
    EXPECT_EQ(entries[0].pid, 0x0C4D);
    EXPECT_EQ(entries[0].deviceType, kMouseType);
    EXPECT_EQ(entries[0].mode, 0);
    EXPECT_EQ(entries[0].releaseNumber, 0x0100);
    EXPECT_EQ(entries[1].index, 1);
    EXPECT_EQ(entries[1].pid, 0x0C4E);
    EXPECT_EQ(entries[1].mode, 1);

    EXPECT_EQ(foreign.openCount, 0);
    EXPECT_EQ(vendor.openCount, 1);
    EXPECT_EQ(vendor.openHandles, 1);
    for (ScriptedPort* closed : {&pointer, &nested, &garbage}) {
        EXPECT_EQ(closed->openCount, 1);
        EXPECT_EQ(closed->openHandles, 0);
    }

    manager.CloseAll();
    EXPECT_EQ(vendor.openHandles, 0);
}

TEST(DeviceManagerEnumeration, LogsEveryOpenedInterface)
{
    ScriptedHidApi hid;
    hid.Add(Info("pointer", 0x1A2B, 0x0C4D, 1, 2), PointerDescriptor());
    hid.Add(Info("vendor", 0x1A2B, 0x0C4D), VendorDescriptor(32, 64));
    std::vector<std::string> lines;
    DeviceManager manager(hid, [&lines](const std::string& line) { lines.push_back(line); });
    manager.AddHidFilter(0x1A2B, 0x0C4D, L"", kMouseType, 0);
    manager.EnumerateDevice();

    const std::vector<std::string> expected = {
        "EnumerateDevice: VID: 1A2B, PID: 0C4D, usage_page: 1, usage: 2",
        "EnumerateDevice: featureReportByteLength: 0, output_report_length: 0, input_report_length: 2",
        "EnumerateDevice: VID: 1A2B, PID: 0C4D, usage_page: ff91, usage: 0",
        "EnumerateDevice: featureReportByteLength: 0, output_report_length: 65, input_report_length: 33",
    };
    EXPECT_EQ(lines, expected);
}

// --- Report transport, against a scripted table.

struct TransportFixture {
    ScriptedHidApi hid;
    ScriptedPort* port = nullptr;
    std::unique_ptr<DeviceManager> manager;

    TransportFixture(int inputBytes, int outputBytes)
    {
        port = &hid.Add(Info("vendor", 0x1A2B, 0x0C4D), VendorDescriptor(inputBytes, outputBytes));
        manager = std::make_unique<DeviceManager>(hid);
        manager->AddHidFilter(0x1A2B, 0x0C4D, L"", kMouseType, 0);
        manager->SetCurrentType(kMouseType);
        manager->EnumerateDevice();
    }
};

TEST(DeviceManagerTransport, WriteIsFittedToTheOutputReportLength)
{
    // Data bytes of the output report, so lengths are one more: 9 cuts the request, 100 pads it.
    for (int outputBytes : {64, 8, 99}) {
        SCOPED_TRACE(outputBytes);
        TransportFixture fixture(32, outputBytes);
        Bytes request = Frame({0x0C, 0x63, 0x10, 0x00, 0x00, 0x06, 0x02});
        request[64] = 0xEE;
        fixture.manager->SendReport(request.data());

        ASSERT_EQ(fixture.port->writes.size(), 1u);
        const Bytes& written = fixture.port->writes[0];
        ASSERT_EQ(written.size(), static_cast<std::size_t>(outputBytes + 1));
        const std::size_t common = std::min<std::size_t>(written.size(), 65);
        EXPECT_TRUE(std::equal(written.begin(), written.begin() + common, request.begin()));
        EXPECT_TRUE(std::all_of(written.begin() + common, written.end(), [](unsigned char b) { return b == 0; }));
    }
}

struct ReplyCase {
    const char* name;
    int inputBytes;
    std::vector<Bytes> reads;  // what the interface gives, in order; empty = time-out
    bool replied;
    std::size_t readsMade;
    std::size_t readLength;
};

TEST(DeviceManagerTransport, WaitsUpToFiveReadsForAReply)
{
    const Bytes reply(100, 0xAB);
    const ReplyCase cases[] = {
        {"reply at once", 32, {reply}, true, 1, 33},
        {"reply on the third read", 32, {{}, {}, reply}, true, 3, 33},
        {"reply on the fifth read", 32, {{}, {}, {}, {}, reply}, true, 5, 33},
        {"no reply", 32, {{}, {}, {}, {}, {}, reply}, false, 5, 33},
        // A longer input report is read as 65 bytes at most.
        {"long input report", 99, {reply}, true, 1, 65},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TransportFixture fixture(c.inputBytes, 64);
        fixture.port->reads.assign(c.reads.begin(), c.reads.end());
        const Bytes request = Frame({0x0C, 0x08, 0x14, 0x00, 0x00, 0x10, 0x01});
        Bytes buffer = request;
        EXPECT_EQ(fixture.manager->SendReport(buffer.data()), c.replied);

        ASSERT_EQ(fixture.port->readRequests.size(), c.readsMade);
        for (const auto& read : fixture.port->readRequests) {
            EXPECT_EQ(read.length, c.readLength);
            EXPECT_EQ(read.milliseconds, 30);
        }
        Bytes expected = request;
        if (c.replied) {
            std::fill_n(expected.begin(), c.readLength, 0xAB);
        }
        EXPECT_EQ(buffer, expected);
    }
}

TEST(DeviceManagerTransport, FailedWriteLeavesTheBufferAndReadsNothing)
{
    TransportFixture fixture(32, 64);
    fixture.port->writeFails = true;
    fixture.port->reads.push_back(Bytes(33, 0xAB));
    const Bytes request = Frame({0x0C, 0x1F, 0xFF});
    Bytes buffer = request;
    EXPECT_FALSE(fixture.manager->SendReport(buffer.data()));
    EXPECT_EQ(buffer, request);
    EXPECT_TRUE(fixture.port->readRequests.empty());
}

TEST(DeviceManagerTransport, ReadsNotificationsOfAtMost33BytesWithin50Ms)
{
    TransportFixture fixture(99, 64);
    Bytes notification(40, 0x11);
    notification[0] = 0x0C;
    fixture.port->reads = {notification, {}};

    Bytes buffer(65, 0);
    EXPECT_EQ(fixture.manager->ReadNotification(buffer.data()), DeviceManager::kNotificationRead);
    Bytes expected(65, 0);
    std::copy_n(notification.begin(), 33, expected.begin());
    EXPECT_EQ(buffer, expected);
    EXPECT_EQ(fixture.manager->ReadNotification(buffer.data()), DeviceManager::kNoNotification);

    ASSERT_EQ(fixture.port->readRequests.size(), 2u);
    EXPECT_EQ(fixture.port->readRequests[0].length, 33u);
    EXPECT_EQ(fixture.port->readRequests[0].milliseconds, 50);
}

} // namespace
