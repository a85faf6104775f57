#include "device/NotificationTracker.h"

#include "device/ReportRate.h"

bool NotificationTracker::TakeReadTurn(std::uint32_t nowMs)
{
    if (nowMs - lastReadTick_ < kReadIntervalMs)
        return false;
    lastReadTick_ = nowMs;
    return true;
}

NotificationTracker::Changes NotificationTracker::Apply(const DeviceNotification& notification)
{
    Changes changes;
    if (notification.dpiIndex != lastDpiIndex_) {
        lastDpiIndex_ = notification.dpiIndex;
        changes.dpiIndex = notification.dpiIndex;
    }
    if (IsReportRateCode(notification.reportRate) && notification.reportRate != lastReportRate_) {
        lastReportRate_ = notification.reportRate;
        changes.reportRate = notification.reportRate;
    }
    return changes;
}
