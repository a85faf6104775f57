#pragma once
// The task codes the window queues for the device worker. Other codes are taken and ignored.
// Thread contract: constants, usable from any thread.

enum class WorkerTask : int {
    Connect = 1,
    DeviceArrived = 2,
    DeviceLeft = 3,
    DeviceTypeChanged = 4,
    ProfileChanged = 7,        // another profile chosen, or a profile imported
    MacroArea = 8,
    ButtonAssignments = 9,
    LightSetting = 11,
    DpiSettings = 12,
    ReportRate = 13,
    PerformanceOptions = 14,   // lift-off, sensor options, competition mode, response time
    SleepTime = 15,
    LightingReset = 18,
    RestoreDefaults = 19,
    PointerSetting = 20,
    DriverUpdate = 21,
    FirmwareUpdate = 22,
};
