#pragma once
// A window port that writes down every step it is asked for, one line each ("ShowConnection 0 101"),
// and lets a test wait until a step has arrived. ShowDeviceEntries selects `selectedType`.

#include "device/DeviceWindowPort.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class RecordingWindowPort final : public DeviceWindowPort {
public:
    int selectedType = 101;

    void RefreshProfileList() override { Record("RefreshProfileList"); }
    void RefreshKeyPage() override { Record("RefreshKeyPage"); }
    void RefreshMacroList() override { Record("RefreshMacroList"); }
    void RefreshPerformancePage() override { Record("RefreshPerformancePage"); }
    void RefreshLightPage() override { Record("RefreshLightPage"); }
    void CloseWaitDialog() override { Record("CloseWaitDialog"); }
    int ShowDeviceEntries(const std::vector<DeviceEntry>& entries, int) override
    {
        Record("ShowDeviceEntries " + std::to_string(entries.size()));
        return selectedType;
    }
    void ShowConnection(int kind, int deviceType) override
    {
        Record("ShowConnection " + std::to_string(kind) + " " + std::to_string(deviceType));
    }
    void StopMacroRecording() override { Record("StopMacroRecording"); }
    void ShowDpiLevel(int index) override { Record("ShowDpiLevel " + std::to_string(index)); }
    void ShowReportRate(int rate) override { Record("ShowReportRate " + std::to_string(rate)); }
    void ShowBattery(int level, bool charging) override
    {
        Record("ShowBattery " + std::to_string(level) + (charging ? " charging" : ""));
    }
    void ShowNotifiedConnection(int deviceType) override
    {
        Record("ShowNotifiedConnection " + std::to_string(deviceType));
    }

    void Record(const std::string& step)
    {
        {
            std::lock_guard lock(mutex_);
            steps_.push_back(step);
        }
        changed_.notify_all();
    }

    // The steps recorded since the last call.
    std::vector<std::string> TakeSteps()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(steps_, {});
    }

    // Waits until `step` has been recorded since the last TakeSteps.
    bool WaitFor(const std::string& step, std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            return std::find(steps_.begin(), steps_.end(), step) != steps_.end();
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> steps_;
};
