#pragma once
// Finds the catalogued mouse among the HID interfaces, keeps one open handle per vendor interface,
// chooses the interface the program talks to, and moves reports to and from it.
// Thread contract: every operation may be called from any thread. I/O, enumeration and CloseAll
// are serialised with each other; filter and current-type changes never wait for device I/O.

#include "device/CommandFrame.h"
#include "device/DeviceEntry.h"
#include "device/HidApi.h"
#include "device/HidFilter.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class DeviceManager {
public:
    // Requests are built in buffers of this size: report id byte and 64 bytes.
    static constexpr int kReportBufferSize = static_cast<int>(kCommandFrameSize);
    // Notifications are read as at most this many bytes: report id byte and 32 bytes.
    static constexpr int kNotificationLength = 33;

    // ReadNotification results.
    static constexpr int kNotificationRead = 1;
    static constexpr int kNoNotification = 0;
    static constexpr int kNoInterface = 2;

    using LogSink = std::function<void(const std::string& line)>;

    // `hid` must outlive the manager. `log` receives two lines per interface opened, on the thread
    // that enumerates.
    explicit DeviceManager(HidApi& hid, LogSink log = {});
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    void ClearHidFilters();
    void AddHidFilter(int vid, int pid, const std::wstring& devId, int deviceType, int mode);

    // Sets the device type the program works with (0 = none yet) and forgets the selection.
    void SetCurrentType(int type);
    int CurrentType() const;

    // Closes every interface and forgets the entries and the selection.
    void CloseAll();
    // Opens every catalogued interface that carries the vendor collection and adds it as an entry.
    void EnumerateDevice();

    // Entries of the current type (all entries while the type is 0), in enumeration order.
    std::vector<DeviceEntry> ListEntries() const;
    // Every entry whatever the current type, so a caller need not switch the type to see them all.
    std::vector<DeviceEntry> ListAllEntries() const;

    // The link shown to the user: 0 cable, else 2 Bluetooth, else 1 receiver, else -1 (no entry).
    int GetConnectionKind() const;
    // The entry that carries I/O: cable, else receiver, else Bluetooth. Kept until the entries or
    // the current type change.
    std::optional<DeviceEntry> SelectInterface();

    // Writes the 65-byte request and waits up to five times 30 ms for any input report. On return
    // `buffer` holds the reply, or the request when none came. True when a reply arrived.
    bool SendReport(unsigned char* buffer);
    // Reads one notification of at most 33 bytes into the 65-byte `buffer`, waiting at most 50 ms.
    int ReadNotification(unsigned char* buffer);

private:
    struct OpenInterface;

    // Both need stateMutex_ held.
    const OpenInterface* SelectLocked();
    std::vector<DeviceEntry> EntriesOfTypeLocked(int type) const;
    // Needs ioMutex_ held, which keeps the returned interface open until it is released.
    const OpenInterface* SelectForIo();

    HidApi& hid_;
    LogSink log_;

    // Held for enumeration, CloseAll and every read or write, so an interface is never closed
    // while it is in use. Always taken before stateMutex_.
    std::mutex ioMutex_;
    // Held briefly for the filters, the entry list, the current type and the selection.
    mutable std::mutex stateMutex_;

    std::vector<HidFilter> filters_;
    std::vector<std::unique_ptr<OpenInterface>> entries_;
    int currentType_ = 0;
    const OpenInterface* selected_ = nullptr;
};
