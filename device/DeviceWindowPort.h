#pragma once
// Every step of the device worker's tasks that touches the main window's pages and widgets. The main
// window implements it; the worker reaches it through DispatchedWindowPort, which runs each step on
// the window thread in the order the worker asked for them.
// Thread contract: an implementation is called on the window thread only.

#include "device/DeviceEntry.h"

#include <vector>

class DeviceWindowPort {
public:
    virtual ~DeviceWindowPort() = default;

    // Each page shows the active profile's values as the store now holds them.
    virtual void RefreshProfileList() = 0;
    virtual void RefreshKeyPage() = 0;
    virtual void RefreshMacroList() = 0;
    virtual void RefreshPerformancePage() = 0;
    virtual void RefreshLightPage() = 0;

    // Ends the open wait dialog, if any, as if its OK button had been pressed.
    virtual void CloseWaitDialog() = 0;

    // The device list after the interfaces were enumerated afresh: every entry marked connected with
    // its version, the stored device type selected, the selected type stored and its layout loaded.
    // Returns the selected device type. `currentType` is the type the device manager works with.
    virtual int ShowDeviceEntries(const std::vector<DeviceEntry>& entries, int currentType) = 0;
    // The home page for connection kind `kind` of device type `deviceType`: -1 nothing connected
    // (status text 50, home layout), 0 cable (text 51), 1 receiver (text 52), 2 Bluetooth (the device
    // list only).
    virtual void ShowConnection(int kind, int deviceType) = 0;
    // The mouse is gone: a macro recording under way ends.
    virtual void StopMacroRecording() = 0;

    // What the mouse reported on its own: the DPI level widget and slider, the report-rate widget,
    // the battery widget, and the connected view the first notification brings when none is shown
    // (status text 52, `deviceType` marked connected over the receiver).
    virtual void ShowDpiLevel(int index) = 0;
    virtual void ShowReportRate(int rate) = 0;
    virtual void ShowBattery(int level, bool charging) = 0;
    virtual void ShowNotifiedConnection(int deviceType) = 0;
};
