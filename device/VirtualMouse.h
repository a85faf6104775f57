#pragma once
// A model of the mouse's firmware behind the HID function table, so tests, pelmarectl and
// `pelmaro --virtual-mouse` see the whole program work without the hardware.
//
// It can appear on any of its three links at once. Cable and receiver each show two USB interfaces
// (MI_00 the pointer collection, MI_02 the vendor collection); Bluetooth shows one interface with
// both collections. It takes 65-byte frames of report id 0x0C on the vendor collection, keeps what
// they set, and answers every frame with the 33-byte report 0C <command> <status> (status 0 taken,
// 1 refused). Changes made "on the mouse" are reported as 0C FE <kind> <value> 00 00 <DPI index>
// <report rate> on the active link (cable, else receiver, else Bluetooth); the kinds are 3 for a
// DPI level change, 4 for a report-rate change and 5 for the battery (bit 7 of the value: charging).
// Every frame in both directions is kept in a trace (the latest 65536 of them).
//
// Thread contract: every operation may be called from any thread; the change listener is called on
// the thread that plugs or unplugs, with no lock held.

#include "device/DeviceChange.h"
#include "device/DeviceModel.h"
#include "device/HidApi.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class VirtualLink { Cable = 0, Receiver = 1, Bluetooth = 2 }; // values are connection modes

struct VirtualTraceRecord {
    enum class Direction { ToMouse, FromMouse };
    Direction direction = Direction::ToMouse;
    VirtualLink link = VirtualLink::Cable;
    std::vector<unsigned char> bytes;

    // One line such as "cable     <- 0C 21" ("->" towards the mouse), without trailing zeros.
    std::string ToString() const;
};

// The settings the firmware holds, as the frames last set them.
struct VirtualMouseSettings {
    std::uint8_t dpiLevelCount = 0;
    std::uint8_t dpiIndex = 0;
    std::array<std::uint16_t, 7> dpiValues{};
    std::array<std::uint8_t, 11> performance{}; // report rate is byte 0
    std::uint8_t lightValue = 0;
    std::array<std::array<std::uint8_t, 4>, 5> buttons{};
    std::vector<std::uint8_t> macroArea;
};

class VirtualMouse final : public HidApi {
public:
    static constexpr int kMacroAreaSize = 4000;

    struct LinkIdentity {
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
    };

    // Starts with factory settings and no link plugged.
    VirtualMouse(LinkIdentity cable, LinkIdentity receiver, LinkIdentity bluetooth);
    // Takes each link's identity from the catalogue's modes of `deviceType`; a link the catalogue
    // does not list gets identity 0:0, which no filter matches.
    static std::unique_ptr<VirtualMouse> ForModel(const std::vector<DeviceModel>& modes, int deviceType);
    ~VirtualMouse() override;
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    // Plugging an already plugged link, or unplugging an absent one, changes nothing. Handles opened
    // before an unplug stay dead after the link returns, as a real hidraw node would.
    void Plug(VirtualLink link);
    void Unplug(VirtualLink link);
    using ChangeListener = std::function<void(const DeviceChange&)>;
    void SetChangeListener(ChangeListener listener);

    // Things a user does on the mouse itself; each sends a notification.
    void PressDpiButton();
    void ChangeReportRate(std::uint8_t code);
    void SetBattery(int percent, bool charging);

    VirtualMouseSettings Settings() const;
    std::vector<VirtualTraceRecord> Trace() const;
    void ClearTrace();

private:
    struct Firmware;
    class Handle;

    void SetPlugged(VirtualLink link, bool plugged);

    std::shared_ptr<Firmware> firmware_; // shared with open handles, which may outlive this object
};
