#pragma once
// Writes the settings groups of the active profile to the mouse: each operation reads the store
// afresh, builds the group's frames and sends them through the device manager. Nothing is read back
// and nothing is retried; the next change of a group sends the whole group again. With no active
// profile in the store the groups kept per profile (DPI, performance, buttons) are not sent.
// Thread contract: used by one thread at a time (the device worker, or a command-line program).

#include "device/CommandFrame.h"
#include "device/DeviceManager.h"
#include "device/WorkerClock.h"
#include "store/DataStore.h"

#include <chrono>

class SettingsSender {
public:
    // The pause between two macro-area chunks, so the mouse can store each one.
    static constexpr std::chrono::milliseconds kMacroChunkPause{10};

    // All three must outlive the sender. `clock` paces the macro-area chunks.
    SettingsSender(DataStore& store, DeviceManager& devices, WorkerClock& clock);

    void SendDpiSettings();
    void SendPerformanceSettings();
    // `lightValue` is the lighting mode or effect chosen last; its low byte is sent.
    void SendLightSetting(int lightValue);
    void SendFactoryReset();
    void SendButtonAssignments();
    // The macro area in chunks, pausing between them. When the clock stops, the remaining chunks go
    // out without pauses: half an area would leave the mouse with broken macros.
    void SendMacroArea();
    // DPI, performance, light, buttons and macro area, in that order.
    void SendAllGroups(int lightValue);

private:
    void Send(const CommandFrame& frame);

    DataStore& store_;
    DeviceManager& devices_;
    WorkerClock& clock_;
};
