#pragma once
// The mouse's report-rate codes: 1 = 125 Hz, 2 = 250 Hz, 3 = 500 Hz, 4 = 1000 Hz. Nothing else is
// ever sent to the mouse or taken from it.
// Thread contract: constants, usable from any thread.

inline constexpr int kSlowestReportRate = 1;
inline constexpr int kFastestReportRate = 4;

constexpr bool IsReportRateCode(int code) { return code >= kSlowestReportRate && code <= kFastestReportRate; }
