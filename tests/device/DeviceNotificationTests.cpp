#include "device/DeviceNotification.h"
#include "device/NotificationTracker.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(DeviceNotification, DecodesOnlyNotificationReports)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> report;
        std::optional<DeviceNotification> expected;
    };
    const Case cases[] = {
        {"battery, charging", {0x0C, 0xFE, 0x05, 0xE4, 0x00, 0x00, 0x02, 0x04}, DeviceNotification{5, 0xE4, 2, 4}},
        {"link state", {0x0C, 0xFE, 0x02, 0x01, 0x11, 0x22, 0x00, 0x03, 0x99}, DeviceNotification{2, 1, 0, 3}},
        {"unknown kind still carries level and rate", {0x0C, 0xFE, 0x09, 0x00, 0x00, 0x00, 0x05, 0x01},
         DeviceNotification{9, 0, 5, 1}},
        {"nothing read", std::vector<unsigned char>(33, 0), std::nullopt},
        {"late command reply", {0x0C, 0x63, 0x10, 0x00, 0x00, 0x06, 0x02, 0x20}, std::nullopt},
        {"other report id", {0x0D, 0xFE, 0x05, 0xE4, 0x00, 0x00, 0x02, 0x04}, std::nullopt},
        {"too short for the report rate", {0x0C, 0xFE, 0x05, 0xE4, 0x00, 0x00, 0x02}, std::nullopt},
        {"empty", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto decoded = DeviceNotification::Decode(c.report);
        ASSERT_EQ(decoded.has_value(), c.expected.has_value()) << c.name;
        if (!decoded)
            continue;
        EXPECT_EQ(decoded->kind, c.expected->kind) << c.name;
        EXPECT_EQ(decoded->value, c.expected->value) << c.name;
        EXPECT_EQ(decoded->dpiIndex, c.expected->dpiIndex) << c.name;
        EXPECT_EQ(decoded->reportRate, c.expected->reportRate) << c.name;
    }
}

TEST(DeviceNotification, SplitsBatteryLevelAndCharging)
{
    struct Case {
        int value;
        int level;
        bool charging;
    };
    const Case cases[] = {{0xE4, 100, true}, {0x64, 100, false}, {0x80, 0, true}, {0x05, 5, false}, {0xFF, 127, true}};
    for (const Case& c : cases) {
        const DeviceNotification notification{DeviceNotification::kBattery, c.value, 0, 0};
        EXPECT_EQ(notification.BatteryLevel(), c.level) << c.value;
        EXPECT_EQ(notification.IsCharging(), c.charging) << c.value;
    }
}

TEST(DeviceNotification, LogsAnyReportThatCarriesSomething)
{
    const std::vector<unsigned char> notification = {0x0C, 0xFE, 0x05, 0xE4, 0x00, 0x00, 0x02, 0x04};
    const std::vector<unsigned char> reply = {0x0C, 0x63};
    EXPECT_EQ(DeviceNotification::LogLine(notification), "mouse notify data: 0C FE 05 E4 00 00");
    EXPECT_EQ(DeviceNotification::LogLine(reply), "mouse notify data: 0C 63 00 00 00 00");
    EXPECT_EQ(DeviceNotification::LogLine(std::vector<unsigned char>(33, 0)), "");
    EXPECT_EQ(DeviceNotification::LogLine({}), "");
}

TEST(NotificationTracker, ReadsAtMostEvery200Milliseconds)
{
    struct Step {
        std::uint32_t now;
        bool due;
    };
    // Ticks continue across the 32-bit wrap without a stall.
    const Step steps[] = {
        {100, false}, {1000, true}, {1150, false}, {1199, false}, {1200, true}, {1200, false},
        {0xFFFFFF00u, true}, {0xFFFFFF80u, false}, {0x00000010u, true}, {0x00000020u, false},
    };
    NotificationTracker tracker;
    for (const Step& step : steps)
        EXPECT_EQ(tracker.TakeReadTurn(step.now), step.due) << step.now;
}

TEST(NotificationTracker, PassesOnOnlyChangedValues)
{
    struct Step {
        int dpiIndex;
        int reportRate;
        std::optional<int> dpiChange;
        std::optional<int> rateChange;
    };
    // Both values start at 0, so a first notification of level 0 changes nothing. A rate that is no
    // rate code is ignored and does not disturb the last one.
    const Step steps[] = {
        {0, 0, std::nullopt, std::nullopt}, {2, 4, 2, 4}, {2, 4, std::nullopt, std::nullopt},
        {3, 4, 3, std::nullopt}, {3, 1, std::nullopt, 1}, {0, 0, 0, std::nullopt},
        {0, 5, std::nullopt, std::nullopt}, {0, 1, std::nullopt, std::nullopt}, {7, 2, 7, 2},
    };
    NotificationTracker tracker;
    for (const Step& step : steps) {
        const auto changes = tracker.Apply(DeviceNotification{DeviceNotification::kBattery, 0, step.dpiIndex, step.reportRate});
        EXPECT_EQ(changes.dpiIndex, step.dpiChange) << step.dpiIndex << " " << step.reportRate;
        EXPECT_EQ(changes.reportRate, step.rateChange) << step.dpiIndex << " " << step.reportRate;
    }
}
