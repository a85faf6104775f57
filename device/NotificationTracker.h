#pragma once
// Paces notification reads and filters what they bring: at most one read every 200 ms, and a DPI level
// or report rate is passed on only when it differs from the one last passed on, so a notification that
// repeats them touches neither the store nor the widgets. Both start at 0 and survive reconnection.
// A report rate that is not a rate code is never passed on: garbage from the device must not
// overwrite the profile's stored rate.
// Thread contract: owned and used by the device worker thread only.

#include "device/DeviceNotification.h"

#include <cstdint>
#include <optional>

class NotificationTracker {
public:
    static constexpr std::uint32_t kReadIntervalMs = 200;

    // What a notification changes; an empty field is unchanged.
    struct Changes {
        std::optional<int> dpiIndex;
        std::optional<int> reportRate;
    };

    // True when a read is due at `nowMs` (a 32-bit millisecond tick; wrap-around is handled by the
    // unsigned difference). A due read is recorded as taken.
    bool TakeReadTurn(std::uint32_t nowMs);

    // Remembers the notification's DPI level and report rate and returns those that changed.
    Changes Apply(const DeviceNotification& notification);

private:
    std::uint32_t lastReadTick_ = 0;
    int lastDpiIndex_ = 0;
    int lastReportRate_ = 0;
};
