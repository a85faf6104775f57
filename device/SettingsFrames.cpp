#include "device/SettingsFrames.h"

#include "common/TextConvert.h"
#include "device/ReportRate.h"

#include <array>
#include <string>

namespace {

constexpr unsigned char kDpiLevelCountField = 6;
constexpr unsigned char kPerformanceConstant = 0x0F;
constexpr std::size_t kPerformancePayloadSize = 11;
constexpr std::size_t kLightPayloadSize = 11;
constexpr unsigned char kFactoryResetLength = 0xFF;

int IntValue(const ProfileSettingsSource& settings, std::wstring_view key)
{
    return DecimalToInt(settings.ConfigValue(key));
}

} // namespace

CommandFrame BuildDpiFrame(const ProfileSettingsSource& settings)
{
    std::array<unsigned char, 2 + 2 * kDpiLevelKeys> payload{};
    payload[0] = kDpiLevelCountField;
    payload[1] = LowByte(IntValue(settings, L"dpi_index"));
    for (int level = 0; level < kDpiLevelKeys; ++level) {
        const int dpi = IntValue(settings, L"dpi_group" + std::to_wstring(level) + L"_value");
        if (dpi < kMinSentDpi || dpi > kMaxSentDpi)
            continue;
        PutLittleEndian16(&payload[2 + 2 * level], dpi);
    }
    return MakeCommandFrame(DeviceCommand::DpiSettings, payload);
}

int ReportRateToSend(int reportRate, int reportRateWireless)
{
    if (IsReportRateCode(reportRate))
        return reportRate;
    if (IsReportRateCode(reportRateWireless))
        return reportRateWireless;
    return kFastestReportRate;
}

CommandFrame BuildPerformanceFrame(const ProfileSettingsSource& settings)
{
    const unsigned char rate = LowByte(
        ReportRateToSend(IntValue(settings, L"report_rate"), IntValue(settings, L"report_rate_wireless")));
    const std::array<unsigned char, kPerformancePayloadSize> payload = {
        rate,
        rate,
        rate,
        kPerformanceConstant,
        0,
        LowByte(IntValue(settings, L"button_respondtime")),
        LowByte(IntValue(settings, L"sleep_light")),
        LowByte(IntValue(settings, L"e-sports_flag")),
        0, // sensor field, never used
        LowByte(IntValue(settings, L"liftoff_height")),
        0,
    };
    return MakeCommandFrame(DeviceCommand::PerformanceSettings, payload);
}

CommandFrame BuildLightFrame(int lightValue)
{
    std::array<unsigned char, kLightPayloadSize> payload{};
    payload[0] = LowByte(lightValue);
    return MakeCommandFrame(DeviceCommand::LightSetting, payload);
}

CommandFrame BuildFactoryResetFrame()
{
    return MakeCommandFrame(DeviceCommand::FactoryReset, kFactoryResetLength);
}
