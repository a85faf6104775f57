#include "device/DeviceManager.h"

#include "device/ReportDescriptor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

constexpr int kReplyReads = 5;
constexpr int kReplyWaitMs = 30;
constexpr int kNotificationWaitMs = 50;

// Connection modes in the order I/O prefers them, and in the order the user is told about them.
constexpr int kCable = 0;
constexpr int kReceiver = 1;
constexpr int kBluetooth = 2;
constexpr int kSelectionOrder[] = {kCable, kReceiver, kBluetooth};
constexpr int kConnectionKindOrder[] = {kCable, kBluetooth, kReceiver};

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    return line;
}

} // namespace

struct DeviceManager::OpenInterface {
    DeviceEntry entry;
    std::unique_ptr<HidDevice> device;
    int outputLength = 0;
    int inputLength = 0;
};

DeviceManager::DeviceManager(HidApi& hid, LogSink log) : hid_(hid), log_(std::move(log)) {}

DeviceManager::~DeviceManager()
{
    CloseAll();
}

void DeviceManager::ClearHidFilters()
{
    std::lock_guard state(stateMutex_);
    filters_.clear();
}

void DeviceManager::AddHidFilter(int vid, int pid, const std::wstring& devId, int deviceType, int mode)
{
    std::lock_guard state(stateMutex_);
    filters_.push_back({vid, pid, devId, deviceType, mode});
}

void DeviceManager::SetCurrentType(int type)
{
    std::lock_guard state(stateMutex_);
    currentType_ = type;
    selected_ = nullptr;
}

int DeviceManager::CurrentType() const
{
    std::lock_guard state(stateMutex_);
    return currentType_;
}

void DeviceManager::CloseAll()
{
    std::lock_guard io(ioMutex_);
    std::vector<std::unique_ptr<OpenInterface>> closing;
    {
        std::lock_guard state(stateMutex_);
        closing.swap(entries_);
        selected_ = nullptr;
    }
    // Handles close here, outside the state lock, so the window thread is not held up by it.
}

void DeviceManager::EnumerateDevice()
{
    std::lock_guard io(ioMutex_);
    std::vector<HidFilter> filters;
    {
        std::lock_guard state(stateMutex_);
        filters = filters_;
    }
    auto firstFilter = [&filters](const HidInterfaceInfo& info) -> const HidFilter* {
        for (const HidFilter& filter : filters) {
            if (filter.vid == info.vendorId && filter.pid == info.productId) {
                return &filter;
            }
        }
        return nullptr;
    };

    // An interface holding several collections is listed once per collection; it is opened once.
    std::set<std::string> seenPaths;
    std::vector<std::unique_ptr<OpenInterface>> found;
    for (const HidInterfaceInfo& info : hid_.Enumerate()) {
        const HidFilter* filter = firstFilter(info);
        if (!filter || !seenPaths.insert(info.path).second) {
            continue;
        }
        std::unique_ptr<HidDevice> device = hid_.OpenPath(info.path);
        if (!device) {
            continue;
        }
        const std::vector<unsigned char> bytes = device->GetReportDescriptor();
        const std::optional<ReportDescriptor> descriptor = ReportDescriptor::Parse(bytes);
        const int feature = descriptor ? descriptor->FeatureReportLength() : 0;
        const int output = descriptor ? descriptor->OutputReportLength() : 0;
        const int input = descriptor ? descriptor->InputReportLength() : 0;
        if (log_) {
            log_(Format("EnumerateDevice: VID: %04X, PID: %04X, usage_page: %x, usage: %x", info.vendorId,
                        info.productId, info.usagePage, info.usage));
            log_(Format("EnumerateDevice: featureReportByteLength: %d, output_report_length: %d, "
                        "input_report_length: %d",
                        feature, output, input));
        }
        // The descriptor, not the enumeration, decides: some hidapi versions list nested
        // collections as if they were top-level ones.
        if (!descriptor || !descriptor->HasTopLevelCollection(ReportDescriptor::kVendorCollection)) {
            continue;
        }
        auto opened = std::make_unique<OpenInterface>();
        opened->entry.vid = info.vendorId;
        opened->entry.pid = info.productId;
        opened->entry.releaseNumber = info.releaseNumber;
        opened->entry.deviceType = filter->deviceType;
        opened->entry.mode = filter->mode;
        opened->device = std::move(device);
        opened->outputLength = output;
        opened->inputLength = input;
        found.push_back(std::move(opened));
    }

    std::lock_guard state(stateMutex_);
    for (auto& opened : found) {
        opened->entry.index = static_cast<int>(entries_.size());
        entries_.push_back(std::move(opened));
    }
}

std::vector<DeviceEntry> DeviceManager::EntriesOfTypeLocked(int type) const
{
    std::vector<DeviceEntry> list;
    for (const auto& opened : entries_) {
        if (type == 0 || opened->entry.deviceType == type) {
            list.push_back(opened->entry);
        }
    }
    return list;
}

std::vector<DeviceEntry> DeviceManager::ListEntries() const
{
    std::lock_guard state(stateMutex_);
    return EntriesOfTypeLocked(currentType_);
}

std::vector<DeviceEntry> DeviceManager::ListAllEntries() const
{
    std::lock_guard state(stateMutex_);
    return EntriesOfTypeLocked(0);
}

int DeviceManager::GetConnectionKind() const
{
    std::lock_guard state(stateMutex_);
    for (int mode : kConnectionKindOrder) {
        for (const auto& opened : entries_) {
            if (opened->entry.deviceType == currentType_ && opened->entry.mode == mode) {
                return mode;
            }
        }
    }
    return -1;
}

const DeviceManager::OpenInterface* DeviceManager::SelectLocked()
{
    if (selected_) {
        return selected_;
    }
    for (int mode : kSelectionOrder) {
        for (const auto& opened : entries_) {
            if (opened->entry.deviceType == currentType_ && opened->entry.mode == mode) {
                selected_ = opened.get();
                return selected_;
            }
        }
    }
    return nullptr;
}

std::optional<DeviceEntry> DeviceManager::SelectInterface()
{
    std::lock_guard state(stateMutex_);
    const OpenInterface* selected = SelectLocked();
    if (!selected) {
        return std::nullopt;
    }
    return selected->entry;
}

const DeviceManager::OpenInterface* DeviceManager::SelectForIo()
{
    std::lock_guard state(stateMutex_);
    return SelectLocked();
}

bool DeviceManager::SendReport(unsigned char* buffer)
{
    std::lock_guard io(ioMutex_);
    const OpenInterface* target = SelectForIo();
    if (!target) {
        return false;
    }
    std::vector<unsigned char> scratch(std::max(kReportBufferSize, target->outputLength), 0);
    std::memcpy(scratch.data(), buffer, kReportBufferSize);
    if (target->device->Write(scratch.data(), static_cast<std::size_t>(target->outputLength)) < 1) {
        return false;
    }

    std::fill(scratch.begin(), scratch.end(), 0);
    std::memcpy(scratch.data(), buffer, kReportBufferSize);
    const auto readLength = static_cast<std::size_t>(std::min(target->inputLength, kReportBufferSize));
    bool replied = false;
    for (int attempt = 0; attempt < kReplyReads && readLength > 0 && !replied; ++attempt) {
        replied = target->device->ReadTimeout(scratch.data(), readLength, kReplyWaitMs) > 0;
    }
    std::memcpy(buffer, scratch.data(), kReportBufferSize);
    return replied;
}

int DeviceManager::ReadNotification(unsigned char* buffer)
{
    std::lock_guard io(ioMutex_);
    const OpenInterface* target = SelectForIo();
    if (!target) {
        return kNoInterface;
    }
    const int read = target->device->ReadTimeout(buffer, kNotificationLength, kNotificationWaitMs);
    return read > 0 ? kNotificationRead : kNoNotification;
}
