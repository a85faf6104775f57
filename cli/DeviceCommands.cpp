#include "cli/DeviceCommands.h"

#include "cli/CommandStatus.h"
#include "cli/SettingsGroupSender.h"
#include "common/TextConvert.h"
#include "device/ReportDescriptor.h"

#include <cstdio>
#include <optional>
#include <set>

namespace {

// Language texts naming the connection kinds 0 cable, 1 receiver, 2 Bluetooth.
constexpr int kConnectionTextIds[] = {51, 52, 53};

// The catalogue's entry for a USB identity; null when no mode has it.
const DeviceModel* CataloguedMode(const DeviceCatalogue& catalogue, int vid, int pid)
{
    for (const DeviceModel& mode : catalogue.Modes()) {
        if (mode.vid == vid && mode.pid == pid) {
            return &mode;
        }
    }
    return nullptr;
}

// A bcdDevice value as the version people read: 0x0102 is "1.02".
std::string VersionText(int releaseNumber)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X.%02X", (releaseNumber >> 8) & 0xFF, releaseNumber & 0xFF);
    return text;
}

bool HasVendorCollection(HidDevice& device)
{
    const std::optional<ReportDescriptor> descriptor = ReportDescriptor::Parse(device.GetReportDescriptor());
    return descriptor && descriptor->HasTopLevelCollection(ReportDescriptor::kVendorCollection);
}

} // namespace

int DeviceCommands::List(CliSession& session, const Operands&)
{
    DeviceManager& manager = session.Link().Manager();
    const std::vector<DeviceEntry> entries = manager.ListAllEntries();
    if (entries.empty()) {
        return Fail(session.Link().NoDeviceReason());
    }
    for (const DeviceEntry& entry : entries) {
        const DeviceModel* mode = CataloguedMode(session.Catalogue(), entry.vid, entry.pid);
        std::printf("%s, %s, %04X:%04X, version %s\n", mode ? ToUtf8(mode->name).c_str() : "",
                    mode ? ToUtf8(mode->desc).c_str() : "", entry.vid, entry.pid,
                    VersionText(entry.releaseNumber).c_str());
    }
    const int kind = manager.GetConnectionKind();
    if (kind >= 0 && kind < static_cast<int>(std::size(kConnectionTextIds))) {
        std::printf("connection: %s\n", ToUtf8(session.Text(kConnectionTextIds[kind])).c_str());
    }
    return kExitOk;
}

int DeviceCommands::Probe(CliSession& session, const Operands&)
{
    HidApi& hid = session.Link().Hid();
    std::set<std::string> seen;
    int found = 0;
    for (const HidInterfaceInfo& info : hid.Enumerate()) {
        if (!seen.insert(info.path).second) {
            continue;
        }
        std::unique_ptr<HidDevice> device = hid.OpenPath(info.path);
        if (!device || !HasVendorCollection(*device)) {
            continue;
        }
        ++found;
        const DeviceModel* mode = CataloguedMode(session.Catalogue(), info.vendorId, info.productId);
        const std::string name = mode ? ToUtf8(mode->name) + ", " + ToUtf8(mode->desc) : "not catalogued";
        std::printf("%s %04X:%04X version %s: %s\n", info.path.c_str(), info.vendorId, info.productId,
                    VersionText(info.releaseNumber).c_str(), name.c_str());
        // Mode 0 (cable) for an unknown interface: the user sets 1 for a receiver, 2 for Bluetooth.
        std::printf("  <mode value=\"%d\" desc=\"%s\" vid=\"0x%04X\" pid=\"0x%04X\" dev_id=\"%s\"/>\n",
                    mode ? mode->modeValue : 0, mode ? ToUtf8(mode->desc).c_str() : "", info.vendorId,
                    info.productId, mode ? ToUtf8(mode->devId).c_str() : "");
    }
    if (found == 0) {
        return Fail("no HID interface carries the mouse's vendor collection");
    }
    return kExitOk;
}

int DeviceCommands::Send(CliSession& session, const Operands& operands)
{
    const std::vector<SettingsGroup> groups = GroupsNamed(operands[0]);
    if (groups.empty()) {
        return Fail("unknown settings group " + operands[0] + " (dpi, performance, light, buttons, macros, reset, all)",
                    kExitUsage);
    }
    return SettingsGroupSender(session).Send(groups);
}
