#include "device/VirtualMouse.h"

#include "device/ReportDescriptor.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <span>

namespace {

constexpr unsigned char kReportId = 0x0C;
constexpr int kFrameSize = 65;
constexpr int kInputReportSize = 33;
constexpr int kPayloadOffset = 5;
constexpr int kMaxPayload = kFrameSize - kPayloadOffset;

constexpr unsigned char kButtonsCommand = 0x08;
constexpr unsigned char kResetCommand = 0x1F;
constexpr unsigned char kLightCommand = 0x21;
constexpr unsigned char kMacroChunkCommand = 0x51;
constexpr unsigned char kPerformanceCommand = 0x61;
constexpr unsigned char kDpiCommand = 0x63;
constexpr unsigned char kNotificationCommand = 0xFE;

constexpr unsigned char kDpiChangedKind = 3;
constexpr unsigned char kReportRateChangedKind = 4;
constexpr unsigned char kBatteryKind = 5;

constexpr unsigned char kTaken = 0;
constexpr unsigned char kRefused = 1;

// A hidraw node buffers this many input reports; older ones are dropped when nobody reads.
constexpr std::size_t kInputQueueLimit = 64;
// A long session with the virtual mouse keeps this many of the latest frames.
constexpr std::size_t kTraceLimit = 65536;

// Pointer collection: report 1 with five buttons and a 16-bit X and Y.
constexpr unsigned char kPointerDescriptor[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01,
    0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x03,
    0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10,
    0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};

// Vendor collection 0xFF91/0: report 0x0C, 64 bytes out and 32 bytes in.
constexpr unsigned char kVendorDescriptor[] = {
    0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x0C, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0x95, 0x20, 0x09, 0x02, 0x81, 0x02, 0xC0};

constexpr std::uint16_t kReleaseNumber = 0x0102;

struct VirtualInterface {
    std::string path;
    bool vendor = false; // takes frames and gives notifications
    std::vector<HidUsage> collections;
    std::vector<unsigned char> descriptor;
};

constexpr HidUsage kPointerCollection{0x0001, 0x0002};
constexpr HidUsage kVendorCollection{0xFF91, 0x0000};

std::vector<unsigned char> Concatenate(std::initializer_list<std::span<const unsigned char>> parts)
{
    std::vector<unsigned char> bytes;
    for (auto part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

std::vector<VirtualInterface> InterfacesOf(VirtualLink link, VirtualMouse::LinkIdentity id)
{
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "VIRTUAL#VID_%04X&PID_%04X", id.vendorId, id.productId);
    if (link == VirtualLink::Bluetooth) {
        return {{std::string(prefix) + "#BLUETOOTH", true, {kPointerCollection, kVendorCollection},
                 Concatenate({kPointerDescriptor, kVendorDescriptor})}};
    }
    const std::string name = link == VirtualLink::Cable ? "#CABLE" : "#RECEIVER";
    return {{std::string(prefix) + "&MI_00" + name, false, {kPointerCollection}, Concatenate({kPointerDescriptor})},
            {std::string(prefix) + "&MI_02" + name, true, {kVendorCollection}, Concatenate({kVendorDescriptor})}};
}

VirtualMouseSettings FactorySettings()
{
    VirtualMouseSettings settings;
    settings.dpiLevelCount = 6;
    settings.dpiIndex = 1;
    settings.dpiValues = {400, 800, 1600, 3200, 6400, 12800, 26000};
    settings.performance = {4, 4, 4, 0x0F, 0, 0, 0, 0, 0, 0, 0};
    settings.lightValue = 3;
    settings.buttons = {{{0x10, 0x01, 0, 0}, {0x10, 0x02, 0, 0}, {0x10, 0x04, 0, 0}, {0x10, 0x10, 0, 0},
                         {0x10, 0x08, 0, 0}}};
    settings.macroArea.assign(VirtualMouse::kMacroAreaSize, 0);
    return settings;
}

int LinkIndex(VirtualLink link)
{
    return static_cast<int>(link);
}

// The input reports waiting on one open handle.
struct InputQueue {
    VirtualLink link = VirtualLink::Cable;
    bool vendor = false;
    unsigned generation = 0;
    std::deque<std::vector<unsigned char>> reports;
};

} // namespace

struct VirtualMouse::Firmware {
    mutable std::mutex mutex;
    std::condition_variable inputArrived;
    std::array<LinkIdentity, 3> ids;
    std::array<bool, 3> plugged{};
    std::array<unsigned, 3> generation{}; // grows on every unplug, so older handles die
    VirtualMouseSettings settings = FactorySettings();
    std::deque<VirtualTraceRecord> trace;
    std::vector<InputQueue*> queues;
    ChangeListener listener;

    bool AliveLocked(const InputQueue& queue) const
    {
        const int at = LinkIndex(queue.link);
        return plugged[at] && generation[at] == queue.generation;
    }

    void TraceLocked(VirtualTraceRecord::Direction direction, VirtualLink link, const std::vector<unsigned char>& bytes)
    {
        if (trace.size() == kTraceLimit) {
            trace.pop_front();
        }
        trace.push_back({direction, link, bytes});
    }

    void EnqueueLocked(InputQueue& queue, std::vector<unsigned char> report)
    {
        if (queue.reports.size() == kInputQueueLimit) {
            queue.reports.pop_front();
        }
        queue.reports.push_back(std::move(report));
        inputArrived.notify_all();
    }

    // Applies one frame; true when it was taken.
    bool ApplyFrameLocked(const unsigned char* frame)
    {
        const unsigned char command = frame[1];
        const int length = frame[2];
        const int offset = frame[3] | (frame[4] << 8);
        const unsigned char* payload = frame + kPayloadOffset;
        switch (command) {
        case kDpiCommand:
            if (length != 16) {
                return false;
            }
            settings.dpiLevelCount = payload[0];
            settings.dpiIndex = payload[1];
            for (std::size_t n = 0; n < settings.dpiValues.size(); ++n) {
                settings.dpiValues[n] = static_cast<std::uint16_t>(payload[2 + 2 * n] | (payload[3 + 2 * n] << 8));
            }
            return true;
        case kPerformanceCommand:
            if (length != 11) {
                return false;
            }
            std::copy_n(payload, settings.performance.size(), settings.performance.begin());
            return true;
        case kLightCommand:
            if (length != 11) {
                return false;
            }
            settings.lightValue = payload[0];
            return true;
        case kButtonsCommand:
            if (length != 20) {
                return false;
            }
            for (std::size_t n = 0; n < settings.buttons.size(); ++n) {
                std::copy_n(payload + 4 * n, 4, settings.buttons[n].begin());
            }
            return true;
        case kMacroChunkCommand:
            if (length > kMaxPayload || offset + length > kMacroAreaSize) {
                return false;
            }
            std::copy_n(payload, length, settings.macroArea.begin() + offset);
            return true;
        case kResetCommand:
            if (length != 0xFF) {
                return false;
            }
            settings = FactorySettings();
            return true;
        default:
            return false;
        }
    }

    void NotifyLocked(unsigned char kind, unsigned char value)
    {
        std::vector<unsigned char> report(kInputReportSize, 0);
        report[0] = kReportId;
        report[1] = kNotificationCommand;
        report[2] = kind;
        report[3] = value;
        report[6] = settings.dpiIndex;
        report[7] = settings.performance[0];
        const auto active = std::find(plugged.begin(), plugged.end(), true);
        if (active == plugged.end()) {
            return;
        }
        const auto link = static_cast<VirtualLink>(active - plugged.begin());
        TraceLocked(VirtualTraceRecord::Direction::FromMouse, link, report);
        for (InputQueue* queue : queues) {
            if (queue->vendor && queue->link == link && AliveLocked(*queue)) {
                EnqueueLocked(*queue, report);
            }
        }
    }
};

class VirtualMouse::Handle final : public HidDevice {
public:
    Handle(std::shared_ptr<Firmware> firmware, InputQueue queue, std::vector<unsigned char> descriptor)
        : firmware_(std::move(firmware)), queue_(std::move(queue)), descriptor_(std::move(descriptor))
    {
        std::lock_guard lock(firmware_->mutex);
        firmware_->queues.push_back(&queue_);
    }

    ~Handle() override
    {
        std::lock_guard lock(firmware_->mutex);
        std::erase(firmware_->queues, &queue_);
    }

    int Write(const unsigned char* data, std::size_t length) override
    {
        std::lock_guard lock(firmware_->mutex);
        if (!firmware_->AliveLocked(queue_) || !queue_.vendor || length < 1 || data[0] != kReportId) {
            return -1;
        }
        std::vector<unsigned char> frame(kFrameSize, 0);
        std::copy_n(data, std::min<std::size_t>(length, kFrameSize), frame.begin());
        firmware_->TraceLocked(VirtualTraceRecord::Direction::ToMouse, queue_.link, frame);
        const bool taken = firmware_->ApplyFrameLocked(frame.data());
        std::vector<unsigned char> reply(kInputReportSize, 0);
        reply[0] = kReportId;
        reply[1] = frame[1];
        reply[2] = taken ? kTaken : kRefused;
        firmware_->TraceLocked(VirtualTraceRecord::Direction::FromMouse, queue_.link, reply);
        firmware_->EnqueueLocked(queue_, std::move(reply));
        return static_cast<int>(length);
    }

    int ReadTimeout(unsigned char* data, std::size_t length, int milliseconds) override
    {
        std::unique_lock lock(firmware_->mutex);
        const auto ready = [this] { return !queue_.reports.empty() || !firmware_->AliveLocked(queue_); };
        if (milliseconds < 0) {
            firmware_->inputArrived.wait(lock, ready); // as hidapi: a negative time-out waits for ever
        } else {
            firmware_->inputArrived.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
        }
        if (!firmware_->AliveLocked(queue_)) {
            return -1;
        }
        if (queue_.reports.empty()) {
            return 0;
        }
        const std::vector<unsigned char> report = std::move(queue_.reports.front());
        queue_.reports.pop_front();
        const std::size_t count = std::min(length, report.size());
        std::copy_n(report.begin(), count, data);
        return static_cast<int>(count);
    }

    std::vector<unsigned char> GetReportDescriptor() override { return descriptor_; }

private:
    std::shared_ptr<Firmware> firmware_;
    InputQueue queue_;
    std::vector<unsigned char> descriptor_;
};

VirtualMouse::VirtualMouse(LinkIdentity cable, LinkIdentity receiver, LinkIdentity bluetooth)
    : firmware_(std::make_shared<Firmware>())
{
    firmware_->ids = {cable, receiver, bluetooth};
}

VirtualMouse::~VirtualMouse() = default;

std::unique_ptr<VirtualMouse> VirtualMouse::ForModel(const std::vector<DeviceModel>& modes, int deviceType)
{
    std::array<LinkIdentity, 3> ids{};
    std::array<bool, 3> found{};
    for (const DeviceModel& mode : modes) {
        if (mode.deviceType != deviceType || mode.modeValue < 0 || mode.modeValue > 2 || found[mode.modeValue]) {
            continue;
        }
        found[mode.modeValue] = true;
        ids[mode.modeValue] = {static_cast<std::uint16_t>(mode.vid), static_cast<std::uint16_t>(mode.pid)};
    }
    return std::make_unique<VirtualMouse>(ids[0], ids[1], ids[2]);
}

std::string VirtualTraceRecord::ToString() const
{
    static constexpr const char* kLinkNames[] = {"cable    ", "receiver ", "bluetooth"};
    std::string line = kLinkNames[LinkIndex(link)];
    line += direction == Direction::ToMouse ? " ->" : " <-";
    const auto end = std::find_if(bytes.rbegin(), bytes.rend(), [](unsigned char b) { return b != 0; }).base();
    for (auto at = bytes.begin(); at != end; ++at) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", *at);
        line += hex;
    }
    return line;
}

std::vector<HidInterfaceInfo> VirtualMouse::Enumerate()
{
    std::lock_guard lock(firmware_->mutex);
    std::vector<HidInterfaceInfo> list;
    for (int at = 0; at < 3; ++at) {
        if (!firmware_->plugged[at]) {
            continue;
        }
        const LinkIdentity id = firmware_->ids[at];
        for (const VirtualInterface& interface : InterfacesOf(static_cast<VirtualLink>(at), id)) {
            for (HidUsage usage : interface.collections) {
                list.push_back({interface.path, id.vendorId, id.productId, kReleaseNumber, usage.page, usage.usage});
            }
        }
    }
    return list;
}

std::unique_ptr<HidDevice> VirtualMouse::OpenPath(const std::string& path)
{
    std::optional<InputQueue> queue;
    std::vector<unsigned char> descriptor;
    {
        std::lock_guard lock(firmware_->mutex);
        for (int at = 0; at < 3 && !queue; ++at) {
            if (!firmware_->plugged[at]) {
                continue;
            }
            const auto link = static_cast<VirtualLink>(at);
            for (VirtualInterface& interface : InterfacesOf(link, firmware_->ids[at])) {
                if (interface.path == path) {
                    queue = InputQueue{link, interface.vendor, firmware_->generation[at], {}};
                    descriptor = std::move(interface.descriptor);
                    break;
                }
            }
        }
    }
    if (!queue) {
        return nullptr;
    }
    // Unplugged in the meantime: the handle is born dead, like a node that vanished after open.
    return std::make_unique<Handle>(firmware_, std::move(*queue), std::move(descriptor));
}

void VirtualMouse::Plug(VirtualLink link)
{
    SetPlugged(link, true);
}

void VirtualMouse::Unplug(VirtualLink link)
{
    SetPlugged(link, false);
}

void VirtualMouse::SetPlugged(VirtualLink link, bool plugged)
{
    const int at = LinkIndex(link);
    std::vector<VirtualInterface> interfaces;
    ChangeListener listener;
    {
        std::lock_guard lock(firmware_->mutex);
        if (firmware_->plugged[at] == plugged) {
            return;
        }
        firmware_->plugged[at] = plugged;
        if (!plugged) {
            ++firmware_->generation[at];
            firmware_->inputArrived.notify_all(); // pending reads of the lost link end now
        }
        interfaces = InterfacesOf(link, firmware_->ids[at]);
        listener = firmware_->listener;
    }
    if (!listener) {
        return;
    }
    const auto kind = plugged ? DeviceChange::Kind::Arrival : DeviceChange::Kind::Removal;
    for (const VirtualInterface& interface : interfaces) {
        listener({kind, interface.path, interface.path});
    }
}

void VirtualMouse::SetChangeListener(ChangeListener listener)
{
    std::lock_guard lock(firmware_->mutex);
    firmware_->listener = std::move(listener);
}

void VirtualMouse::PressDpiButton()
{
    std::lock_guard lock(firmware_->mutex);
    VirtualMouseSettings& settings = firmware_->settings;
    const int levels = std::clamp<int>(settings.dpiLevelCount, 1, static_cast<int>(settings.dpiValues.size()));
    settings.dpiIndex = static_cast<std::uint8_t>((settings.dpiIndex + 1) % levels);
    firmware_->NotifyLocked(kDpiChangedKind, settings.dpiIndex);
}

void VirtualMouse::ChangeReportRate(std::uint8_t code)
{
    std::lock_guard lock(firmware_->mutex);
    std::fill_n(firmware_->settings.performance.begin(), 3, code);
    firmware_->NotifyLocked(kReportRateChangedKind, code);
}

void VirtualMouse::SetBattery(int percent, bool charging)
{
    std::lock_guard lock(firmware_->mutex);
    const auto level = static_cast<unsigned char>(std::clamp(percent, 0, 100));
    firmware_->NotifyLocked(kBatteryKind, static_cast<unsigned char>(level | (charging ? 0x80 : 0)));
}

VirtualMouseSettings VirtualMouse::Settings() const
{
    std::lock_guard lock(firmware_->mutex);
    return firmware_->settings;
}

std::vector<VirtualTraceRecord> VirtualMouse::Trace() const
{
    std::lock_guard lock(firmware_->mutex);
    return {firmware_->trace.begin(), firmware_->trace.end()};
}

void VirtualMouse::ClearTrace()
{
    std::lock_guard lock(firmware_->mutex);
    firmware_->trace.clear();
}
