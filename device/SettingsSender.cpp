#include "device/SettingsSender.h"

#include "device/ButtonEntryEncoder.h"
#include "device/MacroAreaEncoder.h"
#include "device/SettingsFrames.h"
#include "device/StoreProfileSettings.h"

#include <vector>

SettingsSender::SettingsSender(DataStore& store, DeviceManager& devices, WorkerClock& clock)
    : store_(store), devices_(devices), clock_(clock)
{
}

void SettingsSender::SendDpiSettings()
{
    const int profile = store_.GetActiveProfile();
    if (profile > 0)
        Send(BuildDpiFrame(StoreProfileSettings(store_, profile)));
}

void SettingsSender::SendPerformanceSettings()
{
    const int profile = store_.GetActiveProfile();
    if (profile > 0)
        Send(BuildPerformanceFrame(StoreProfileSettings(store_, profile)));
}

void SettingsSender::SendLightSetting(int lightValue)
{
    Send(BuildLightFrame(lightValue));
}

void SettingsSender::SendFactoryReset()
{
    Send(BuildFactoryResetFrame());
}

void SettingsSender::SendButtonAssignments()
{
    const int profile = store_.GetActiveProfile();
    if (profile <= 0)
        return;
    std::vector<KeyMacroRecord> rows;
    store_.GetKeyMacros(profile, rows);
    std::vector<MacroRecord> macros;
    store_.GetMacros(macros);
    Send(BuildButtonFrame(rows, macros));
}

void SettingsSender::SendMacroArea()
{
    std::vector<MacroRecord> macros;
    store_.GetMacros(macros);
    std::vector<MacroWithEvents> withEvents;
    withEvents.reserve(macros.size());
    for (const MacroRecord& macro : macros) {
        MacroWithEvents& entry = withEvents.emplace_back(MacroWithEvents{macro, {}});
        store_.GetMacroEvents(macro.macro_id, entry.events);
    }
    bool pausing = true;
    bool first = true;
    for (const CommandFrame& chunk : BuildMacroAreaFrames(EncodeMacroArea(withEvents))) {
        if (!first && pausing)
            pausing = clock_.Pause(kMacroChunkPause);
        first = false;
        Send(chunk);
    }
}

void SettingsSender::SendAllGroups(int lightValue)
{
    SendDpiSettings();
    SendPerformanceSettings();
    SendLightSetting(lightValue);
    SendButtonAssignments();
    SendMacroArea();
}

void SettingsSender::Send(const CommandFrame& frame)
{
    CommandFrame request = frame; // SendReport leaves the reply in the buffer
    devices_.SendReport(request.data());
}
