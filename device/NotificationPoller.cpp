#include "device/NotificationPoller.h"

#include "device/DeviceNotification.h"

#include <array>
#include <string>

NotificationPoller::NotificationPoller(DataStore& store, DeviceManager& devices, WorkerClock& clock,
                                       DeviceWindowPort& window, DeviceManager::LogSink log)
    : store_(store), devices_(devices), clock_(clock), window_(window), log_(std::move(log))
{
}

void NotificationPoller::Poll(bool& deviceShown)
{
    if (!tracker_.TakeReadTurn(clock_.NowMs()))
        return;
    std::array<unsigned char, DeviceManager::kReportBufferSize> report{};
    devices_.ReadNotification(report.data());
    const std::span<const unsigned char> read(report.data(), DeviceManager::kNotificationLength);
    if (const std::string line = DeviceNotification::LogLine(read); !line.empty() && log_)
        log_(line);
    const std::optional<DeviceNotification> notification = DeviceNotification::Decode(read);
    if (!notification)
        return;

    const NotificationTracker::Changes changes = tracker_.Apply(*notification);
    if (changes.dpiIndex) {
        StoreForActiveProfile({L"dpi_index"}, *changes.dpiIndex);
        window_.ShowDpiLevel(*changes.dpiIndex);
    }
    if (changes.reportRate) {
        window_.ShowReportRate(*changes.reportRate);
        StoreForActiveProfile({L"report_rate", L"report_rate_wireless"}, *changes.reportRate);
    }
    if (!deviceShown) {
        window_.ShowNotifiedConnection(devices_.CurrentType());
        deviceShown = true;
    }
    if (notification->kind == DeviceNotification::kLinkState && log_)
        log_("上报dongle和设备的连接状态: " + std::to_string(notification->value));
    if (notification->kind == DeviceNotification::kBattery) {
        window_.ShowBattery(notification->BatteryLevel(), notification->IsCharging());
        if (log_)
            log_("上报当前电量信息: " + std::to_string(notification->value));
    }
}

void NotificationPoller::StoreForActiveProfile(std::initializer_list<const wchar_t*> keys, int value)
{
    const int profile = store_.GetActiveProfile();
    if (profile <= 0)
        return;
    for (const wchar_t* key : keys)
        store_.SetConfigValue(profile, key, std::to_wstring(value));
}
