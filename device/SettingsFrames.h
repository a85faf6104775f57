#pragma once
// The frames of the single-group settings: DPI table (0x63), performance group (0x61), light setting
// (0x21) and factory reset (0x1F). Each is built afresh from the active profile's keys; a missing or
// non-numeric key counts as 0, and a byte field takes the low 8 bits of its value.
// Thread contract: pure functions, callable from any thread.

#include "device/CommandFrame.h"
#include "device/ProfileSettingsSource.h"

inline constexpr int kDpiLevelKeys = 7;   // dpi_group0_value .. dpi_group6_value are sent
inline constexpr int kMinSentDpi = 50;    // a level outside these bounds is sent as 00 00
inline constexpr int kMaxSentDpi = 26000;

// 0C 63 10 00 00, level-count field 6, dpi_index, then seven 16-bit little-endian level values.
CommandFrame BuildDpiFrame(const ProfileSettingsSource& settings);

// 0C 61 0B 00 00, the report rate three times, 0x0F, 0, button_respondtime, sleep_light,
// e-sports_flag, 0, liftoff_height, 0.
CommandFrame BuildPerformanceFrame(const ProfileSettingsSource& settings);

// The report-rate code sent to the mouse, always 1..4: `report_rate` when it is a valid code, else
// `report_rate_wireless` when that is, else 4 (1000 Hz). A new profile stores report_rate 0, and the
// mouse must never be told a rate it does not have.
int ReportRateToSend(int reportRate, int reportRateWireless);

// 0C 21 0B 00 00, the low byte of the lighting mode value, then ten zero bytes.
CommandFrame BuildLightFrame(int lightValue);

// 0C 1F FF followed by zeros.
CommandFrame BuildFactoryResetFrame();
