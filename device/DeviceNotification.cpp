#include "device/DeviceNotification.h"

#include "device/CommandFrame.h"

#include <cstdio>

namespace {

constexpr unsigned char kNotificationCommand = 0xFE;
constexpr std::size_t kKindByte = 2;
constexpr std::size_t kValueByte = 3;
constexpr std::size_t kDpiIndexByte = 6;
constexpr std::size_t kReportRateByte = 7;
constexpr std::size_t kLoggedBytes = 6;

} // namespace

std::optional<DeviceNotification> DeviceNotification::Decode(std::span<const unsigned char> report)
{
    if (report.size() <= kReportRateByte || report[0] != kDeviceReportId || report[1] != kNotificationCommand)
        return std::nullopt;
    DeviceNotification notification;
    notification.kind = report[kKindByte];
    notification.value = report[kValueByte];
    notification.dpiIndex = report[kDpiIndexByte];
    notification.reportRate = report[kReportRateByte];
    return notification;
}

std::string DeviceNotification::LogLine(std::span<const unsigned char> report)
{
    if (report.empty() || report[0] == 0)
        return {};
    std::string line = "mouse notify data:";
    for (std::size_t i = 0; i < kLoggedBytes; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", i < report.size() ? report[i] : 0);
        line += hex;
    }
    return line;
}
