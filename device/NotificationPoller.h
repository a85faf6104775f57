#pragma once
// Reads what the mouse reports on its own, at most every 200 ms: a new DPI level or report rate is
// stored in the active profile ("dpi_index"; "report_rate" and "report_rate_wireless") and shown, the
// first notification while no connection is shown brings the receiver's connected view, and the
// battery state is shown. The link state is only logged.
// Thread contract: used by the device worker thread only.

#include "device/DeviceManager.h"
#include "device/DeviceWindowPort.h"
#include "device/NotificationTracker.h"
#include "device/WorkerClock.h"
#include "store/DataStore.h"

class NotificationPoller {
public:
    // Everything must outlive the poller.
    NotificationPoller(DataStore& store, DeviceManager& devices, WorkerClock& clock, DeviceWindowPort& window,
                       DeviceManager::LogSink log);

    // One read when it is due. `deviceShown` says whether the window shows a connection; a
    // notification sets it.
    void Poll(bool& deviceShown);

private:
    void StoreForActiveProfile(std::initializer_list<const wchar_t*> keys, int value);

    DataStore& store_;
    DeviceManager& devices_;
    WorkerClock& clock_;
    DeviceWindowPort& window_;
    DeviceManager::LogSink log_;
    NotificationTracker tracker_;
};
