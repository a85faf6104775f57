#include "device/DispatchedWindowPort.h"

DispatchedWindowPort::DispatchedWindowPort(DeviceWindowPort& window, WindowStepQueue& steps)
    : window_(window), steps_(steps)
{
}

void DispatchedWindowPort::RefreshProfileList() { steps_.Run([this] { window_.RefreshProfileList(); }); }
void DispatchedWindowPort::RefreshKeyPage() { steps_.Run([this] { window_.RefreshKeyPage(); }); }
void DispatchedWindowPort::RefreshMacroList() { steps_.Run([this] { window_.RefreshMacroList(); }); }
void DispatchedWindowPort::RefreshPerformancePage() { steps_.Run([this] { window_.RefreshPerformancePage(); }); }
void DispatchedWindowPort::RefreshLightPage() { steps_.Run([this] { window_.RefreshLightPage(); }); }
void DispatchedWindowPort::CloseWaitDialog() { steps_.Run([this] { window_.CloseWaitDialog(); }); }

int DispatchedWindowPort::ShowDeviceEntries(const std::vector<DeviceEntry>& entries, int currentType)
{
    int selected = currentType;
    steps_.Run([&] { selected = window_.ShowDeviceEntries(entries, currentType); });
    return selected;
}

void DispatchedWindowPort::ShowConnection(int kind, int deviceType)
{
    steps_.Run([=, this] { window_.ShowConnection(kind, deviceType); });
}

void DispatchedWindowPort::StopMacroRecording() { steps_.Run([this] { window_.StopMacroRecording(); }); }
void DispatchedWindowPort::ShowDpiLevel(int index) { steps_.Run([=, this] { window_.ShowDpiLevel(index); }); }
void DispatchedWindowPort::ShowReportRate(int rate) { steps_.Run([=, this] { window_.ShowReportRate(rate); }); }

void DispatchedWindowPort::ShowBattery(int level, bool charging)
{
    steps_.Run([=, this] { window_.ShowBattery(level, charging); });
}

void DispatchedWindowPort::ShowNotifiedConnection(int deviceType)
{
    steps_.Run([=, this] { window_.ShowNotifiedConnection(deviceType); });
}
