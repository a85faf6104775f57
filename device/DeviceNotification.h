#pragma once
// What the mouse reports on its own initiative: an input report 0C FE <kind> <value> .. .. <DPI level>
// <report rate>. Every notification carries the current DPI level and report rate, whatever its kind.
// Thread contract: a plain value; Decode is a pure function callable from any thread.

#include <optional>
#include <span>
#include <string>

struct DeviceNotification {
    // Kinds that carry something the program acts on; 3 and 4 are known but need nothing.
    static constexpr int kLinkState = 2; // receiver-to-mouse link state, only logged
    static constexpr int kBattery = 5;   // value: bit 7 charging, bits 0..6 level in percent

    int kind = 0;
    int value = 0;
    int dpiIndex = 0;   // 0-based current DPI level
    int reportRate = 0; // 1 = 125 Hz, 2 = 250 Hz, 3 = 500 Hz, 4 = 1000 Hz

    int BatteryLevel() const { return value & 0x7F; }
    bool IsCharging() const { return (value & 0x80) != 0; }

    // The notification in `report`, or nothing when the report is not one: nothing was read (byte 0
    // is 0), a late reply to a command (byte 1 is not 0xFE), or too short to hold the report rate.
    static std::optional<DeviceNotification> Decode(std::span<const unsigned char> report);

    // "mouse notify data: 0C FE 05 E4 00 00": the log line for any report whose first byte is not 0;
    // empty otherwise (an idle read is not worth a line).
    static std::string LogLine(std::span<const unsigned char> report);
};
