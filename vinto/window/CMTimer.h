#pragma once
// Periodic timers whose ticks arrive on a thread of their own: each SetTimer starts one, each tick
// calls OnMTimer(id) and, for an application timer, OnMTimer(id, name) as well.
// Thread contract: SetTimer and KillTimer on one thread (never from inside a tick); the OnMTimer
// hooks run on the timer's thread. A derived class must call KillTimer() in its destructor.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Vinto {

class PeriodicTimer;

class CMTimer {
public:
    CMTimer();
    virtual ~CMTimer();
    CMTimer(const CMTimer&) = delete;
    CMTimer& operator=(const CMTimer&) = delete;

    virtual void OnMTimer(uint32_t, const std::wstring&) {}
    virtual void OnMTimer(uint32_t) {}

    // Starts a timer ticking every `periodMs`; returns its id (never 0).
    uint32_t SetTimer(uint32_t periodMs, const wchar_t* name, int application);
    // Stop and forget the matching timer; return the number of timers left.
    int KillTimer(uint32_t id);
    int KillTimer(const wchar_t* name);
    void KillTimer();
    int GetTimerIsRun(uint32_t id) const;
    int GetTimerIsRun(const wchar_t* name) const;
    std::wstring GetTimerName(uint32_t id) const;
    int IsAppTimer(uint32_t id) const;
    // The live instance that owns `id`, or null.
    static CMTimer* GetMTimer(uint32_t id);

private:
    struct Record;
    void Tick(uint32_t id);
    int KillWhere(bool (*match)(const Record&, uint32_t, const wchar_t*), uint32_t id, const wchar_t* name);

    mutable std::mutex lock_;
    std::vector<std::unique_ptr<Record>> records_;
};

} // namespace Vinto
