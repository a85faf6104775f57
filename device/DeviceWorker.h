#pragma once
// The device worker: every conversation with the mouse happens on its thread, so the window never
// waits for the device. The window queues task codes (WorkerTask); each cycle takes at most one and
// runs it, and when the queue is empty and a device is present reads the mouse's notifications
// instead. Every step that touches the window goes through the window port, which must hand it to
// the window thread (DispatchedWindowPort) when the worker runs on its own thread.
//
// Stopping: the window closes its step queue, then calls StopThread. Pauses inside a task end at
// once and the task's remaining window steps are skipped; the settings still queued are then sent
// (no window steps) for at most two seconds, so a change made just before closing reaches the mouse.
//
// Thread contract: QueueTask and the setters from any thread; StartThread and StopThread from the
// window thread; DoWork runs on the worker thread (tests may call it directly instead of starting it).

#include "device/CThreadBasic.h"
#include "device/DeviceManager.h"
#include "device/DeviceWindowPort.h"
#include "device/NotificationPoller.h"
#include "device/SettingsSender.h"
#include "device/WorkerClock.h"
#include "device/WorkerTask.h"
#include "device/WorkerTaskQueue.h"
#include "store/DataStore.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

class DeviceWorker final : public CThreadBasic {
public:
    static constexpr std::chrono::milliseconds kPeriod{30};
    static constexpr std::chrono::milliseconds kFlushLimit{2000};

    // Operations of the rest of the program that some tasks start; an empty one does nothing.
    struct Operations {
        std::function<void()> applyPointerSetting;    // task 20: the slider changed last
        std::function<void()> restorePointerDefaults; // task 19
        std::function<void()> installDriver;          // task 21
        std::function<void()> installFirmware;        // task 22
    };

    // Everything must outlive the worker.
    DeviceWorker(DataStore& store, DeviceManager& devices, WorkerClock& clock, DeviceWindowPort& window,
                 Operations operations, DeviceManager::LogSink log);
    ~DeviceWorker() override;

    void QueueTask(int code);
    void QueueTask(WorkerTask task) { QueueTask(static_cast<int>(task)); }

    void SetLightingPageEnabled(bool enabled) { lightingPageEnabled_ = enabled; }
    // The lighting mode or effect chosen last, sent by the light task; 3 until set.
    void SetLightValue(int value) { lightValue_ = value; }
    // The next Connect task does a full start again (after restoring defaults).
    void ClearConnectedOnce() { connectedOnce_ = false; }
    // True while the last rebuilt device list held an interface of the mouse.
    bool DevicePresent() const { return devicePresent_; }

    // One cycle: the oldest queued task, or a notification read when the queue is empty.
    void DoWork() override;

private:
    void Finish() override;
    void RunTask(int code);
    // The frames a queued task sends, without its window steps; false for a task that sends none.
    bool SendSettingsOf(int code);

    void Connect();
    void DeviceInstall();
    void DeviceRemoved();
    void DeviceTypeChanged();
    void ProfileChanged();
    void RestoreDefaults();
    void UpdateDeviceList();

    enum class Page { ProfileList, KeyPage, MacroList, PerformancePage, LightPage };
    // Refreshes the pages in the order given; the light page only while it is enabled.
    void Refresh(std::initializer_list<Page> pages);
    // Closes the wait dialog and pauses 100 ms, the ending of the tasks the window waits for.
    void EndWaitedTask();
    // The light value becomes the active profile's active lighting mode, as the lighting page shows
    // it, when the profile has lighting.
    void FollowActiveLightMode();
    void Log(const std::string& line);
    static void Call(const std::function<void()>& operation);

    DataStore& store_;
    DeviceManager& devices_;
    WorkerClock& clock_;
    DeviceWindowPort& window_;
    Operations operations_;
    DeviceManager::LogSink log_;
    SettingsSender sender_;
    NotificationPoller poller_;
    WorkerTaskQueue queue_;

    std::atomic<bool> lightingPageEnabled_{false};
    std::atomic<int> lightValue_{3};
    std::atomic<bool> connectedOnce_{false};
    std::atomic<bool> devicePresent_{false};
    bool deviceShown_ = false; // worker thread only
};
