#pragma once
// The window port as the device worker uses it: every step is handed to the window thread through a
// WindowStepQueue and runs there on the real port, in order, while the worker waits. Once the queue
// is closed, steps are skipped and ShowDeviceEntries keeps the current type.
// Thread contract: called from the worker thread (or the window thread, where steps run at once).

#include "device/DeviceWindowPort.h"
#include "device/WindowStepQueue.h"

class DispatchedWindowPort final : public DeviceWindowPort {
public:
    // Both must outlive this port.
    DispatchedWindowPort(DeviceWindowPort& window, WindowStepQueue& steps);

    void RefreshProfileList() override;
    void RefreshKeyPage() override;
    void RefreshMacroList() override;
    void RefreshPerformancePage() override;
    void RefreshLightPage() override;
    void CloseWaitDialog() override;
    int ShowDeviceEntries(const std::vector<DeviceEntry>& entries, int currentType) override;
    void ShowConnection(int kind, int deviceType) override;
    void StopMacroRecording() override;
    void ShowDpiLevel(int index) override;
    void ShowReportRate(int rate) override;
    void ShowBattery(int level, bool charging) override;
    void ShowNotifiedConnection(int deviceType) override;

private:
    DeviceWindowPort& window_;
    WindowStepQueue& steps_;
};
