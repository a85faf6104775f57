#include "device/DeviceWorker.h"

#include "device/ProfileSettingsReset.h"

#include <string>

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kBeforeDeviceChange{500};
constexpr milliseconds kEnumerationSettle{1000}; // a new device needs time to show all its collections
constexpr milliseconds kAfterRemoval{500};
constexpr milliseconds kAfterWaitedTask{100};
constexpr milliseconds kLightingResetPause{500};

constexpr int kNoConnection = -1;
constexpr int kCable = 0;
constexpr int kReceiver = 1;

} // namespace

DeviceWorker::DeviceWorker(DataStore& store, DeviceManager& devices, WorkerClock& clock, DeviceWindowPort& window,
                           Operations operations, DeviceManager::LogSink log)
    : CThreadBasic(clock),
      store_(store),
      devices_(devices),
      clock_(clock),
      window_(window),
      operations_(std::move(operations)),
      log_(std::move(log)),
      sender_(store, devices, clock),
      poller_(store, devices, clock, window, log_)
{
}

DeviceWorker::~DeviceWorker()
{
    StopThread();
}

void DeviceWorker::QueueTask(int code)
{
    queue_.Push(code);
}

void DeviceWorker::DoWork()
{
    if (const std::optional<int> code = queue_.TryPop())
        RunTask(*code);
    else if (devicePresent_)
        poller_.Poll(deviceShown_);
}

void DeviceWorker::Finish()
{
    const std::uint32_t start = clock_.NowMs();
    while (clock_.NowMs() - start < static_cast<std::uint32_t>(kFlushLimit.count())) {
        const std::optional<int> code = queue_.TryPop();
        if (!code)
            return;
        SendSettingsOf(*code);
    }
}

void DeviceWorker::RunTask(int code)
{
    switch (static_cast<WorkerTask>(code)) {
    case WorkerTask::Connect:
        Connect();
        return;
    case WorkerTask::DeviceArrived:
        if (clock_.Pause(kBeforeDeviceChange)) {
            DeviceInstall();
            Connect();
        }
        return;
    case WorkerTask::DeviceLeft:
        if (clock_.Pause(kBeforeDeviceChange))
            DeviceRemoved();
        return;
    case WorkerTask::DeviceTypeChanged:
        DeviceTypeChanged();
        EndWaitedTask();
        return;
    case WorkerTask::ProfileChanged:
        ProfileChanged();
        EndWaitedTask();
        return;
    case WorkerTask::MacroArea:
    case WorkerTask::ButtonAssignments:
        SendSettingsOf(code);
        EndWaitedTask();
        return;
    case WorkerTask::LightingReset:
        clock_.Pause(kLightingResetPause);
        return;
    case WorkerTask::RestoreDefaults:
        RestoreDefaults();
        EndWaitedTask();
        return;
    case WorkerTask::PointerSetting:
        Call(operations_.applyPointerSetting);
        return;
    case WorkerTask::DriverUpdate:
        Call(operations_.installDriver);
        return;
    case WorkerTask::FirmwareUpdate:
        Call(operations_.installFirmware);
        return;
    default:
        SendSettingsOf(code); // the single-group tasks; any other code does nothing
        return;
    }
}

bool DeviceWorker::SendSettingsOf(int code)
{
    switch (static_cast<WorkerTask>(code)) {
    case WorkerTask::ProfileChanged:
        FollowActiveLightMode();
        sender_.SendAllGroups(lightValue_);
        return true;
    case WorkerTask::MacroArea:
        sender_.SendMacroArea();
        return true;
    case WorkerTask::ButtonAssignments:
        sender_.SendButtonAssignments();
        return true;
    case WorkerTask::LightSetting:
        sender_.SendLightSetting(lightValue_);
        return true;
    case WorkerTask::DpiSettings:
        sender_.SendDpiSettings();
        return true;
    case WorkerTask::ReportRate:
    case WorkerTask::PerformanceOptions:
    case WorkerTask::SleepTime:
        sender_.SendPerformanceSettings();
        return true;
    case WorkerTask::RestoreDefaults:
        // The store goes back to its defaults too, and the mouse is told them, so the mouse, the
        // store and the pages agree whatever the mouse's own factory settings are.
        sender_.SendFactoryReset();
        if (const int profile = store_.GetActiveProfile(); profile > 0)
            ProfileSettingsReset(store_).Reset(profile);
        FollowActiveLightMode();
        sender_.SendAllGroups(lightValue_);
        return true;
    default:
        return false;
    }
}

void DeviceWorker::Connect()
{
    if (connectedOnce_)
        return;
    UpdateDeviceList();
    Refresh({Page::LightPage});
    if (devices_.GetConnectionKind() == kNoConnection) {
        Log("没有检测到设备");
        return;
    }
    Refresh({Page::ProfileList, Page::KeyPage, Page::MacroList, Page::PerformancePage, Page::LightPage});
    connectedOnce_ = true;
}

void DeviceWorker::DeviceInstall()
{
    if (!clock_.Pause(kEnumerationSettle))
        return;
    UpdateDeviceList();
    if (devices_.GetConnectionKind() == kNoConnection) {
        Log("DeviceInstall 设备状态没有连接!");
        return;
    }
    Refresh({Page::ProfileList, Page::PerformancePage, Page::KeyPage, Page::MacroList, Page::PerformancePage,
             Page::LightPage});
}

void DeviceWorker::DeviceRemoved()
{
    if (!clock_.Pause(kAfterRemoval))
        return;
    UpdateDeviceList();
    const int kind = devices_.GetConnectionKind();
    if (kind == kCable || kind == kReceiver)
        Refresh({Page::KeyPage, Page::MacroList, Page::PerformancePage, Page::LightPage});
}

void DeviceWorker::DeviceTypeChanged()
{
    Refresh({Page::ProfileList});
    UpdateDeviceList();
    if (devices_.GetConnectionKind() == kNoConnection) {
        Log("设备状态没有连接!");
        return;
    }
    Refresh({Page::PerformancePage, Page::KeyPage, Page::MacroList, Page::PerformancePage, Page::LightPage});
}

void DeviceWorker::ProfileChanged()
{
    Refresh({Page::KeyPage, Page::PerformancePage, Page::LightPage});
    // The mouse takes on the whole new profile, so it does what the pages now show.
    SendSettingsOf(static_cast<int>(WorkerTask::ProfileChanged));
}

void DeviceWorker::RestoreDefaults()
{
    SendSettingsOf(static_cast<int>(WorkerTask::RestoreDefaults));
    Refresh({Page::ProfileList, Page::KeyPage, Page::MacroList, Page::PerformancePage, Page::LightPage});
    Call(operations_.restorePointerDefaults);
}

void DeviceWorker::FollowActiveLightMode()
{
    const int profile = store_.GetActiveProfile();
    if (lightingPageEnabled_ && profile > 0 && store_.GetLightCount(profile) > 0)
        lightValue_ = store_.GetActiveLightMode(profile);
}

void DeviceWorker::UpdateDeviceList()
{
    devices_.CloseAll();
    devices_.EnumerateDevice();
    const std::vector<DeviceEntry> all = devices_.ListAllEntries();
    const int type = window_.ShowDeviceEntries(all, devices_.CurrentType());
    devices_.SetCurrentType(type);
    if (all.empty()) {
        devicePresent_ = false;
        deviceShown_ = false;
        window_.ShowConnection(kNoConnection, type);
        window_.StopMacroRecording();
        Log("UpdateDeviceList, 无设备隐藏");
        return;
    }
    devicePresent_ = true;
    const int kind = devices_.GetConnectionKind();
    window_.ShowConnection(kind, type);
    std::string message;
    switch (kind) {
    case kNoConnection:
        deviceShown_ = false;
        message = "UpdateDeviceList, 隐藏: 当前模式: ";
        break;
    case kCable:
        deviceShown_ = true;
        message = "UpdateDeviceList, USB 显示: 当前模式: ";
        break;
    case kReceiver:
        deviceShown_ = true;
        message = "UpdateDeviceList, 2.4G 显示: 当前模式: ";
        break;
    default:
        return;
    }
    Log(message + std::to_string(kind));
}

void DeviceWorker::Refresh(std::initializer_list<Page> pages)
{
    for (Page page : pages) {
        switch (page) {
        case Page::ProfileList:
            window_.RefreshProfileList();
            break;
        case Page::KeyPage:
            window_.RefreshKeyPage();
            break;
        case Page::MacroList:
            window_.RefreshMacroList();
            break;
        case Page::PerformancePage:
            window_.RefreshPerformancePage();
            break;
        case Page::LightPage:
            if (lightingPageEnabled_)
                window_.RefreshLightPage();
            break;
        }
    }
}

void DeviceWorker::EndWaitedTask()
{
    window_.CloseWaitDialog();
    clock_.Pause(kAfterWaitedTask);
}

void DeviceWorker::Log(const std::string& line)
{
    if (log_)
        log_(line);
}

void DeviceWorker::Call(const std::function<void()>& operation)
{
    if (operation)
        operation();
}
