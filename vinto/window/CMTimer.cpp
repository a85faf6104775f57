#include "vinto/window/CMTimer.h"

#include "vinto/platform/PeriodicTimer.h"

#include <algorithm>
#include <atomic>
#include <set>

namespace Vinto {

struct CMTimer::Record {
    uint32_t id = 0;
    std::wstring name;
    int application = 0;
    std::unique_ptr<PeriodicTimer> timer;
};

namespace {

struct Instances {
    std::mutex lock;
    std::set<CMTimer*> live;
};

Instances& TheInstances()
{
    static Instances instances;
    return instances;
}

std::atomic<uint32_t> nextId{1};

} // namespace

CMTimer::CMTimer()
{
    std::lock_guard guard(TheInstances().lock);
    TheInstances().live.insert(this);
}

CMTimer::~CMTimer()
{
    KillTimer();
    std::lock_guard guard(TheInstances().lock);
    TheInstances().live.erase(this);
}

uint32_t CMTimer::SetTimer(uint32_t periodMs, const wchar_t* name, int application)
{
    auto record = std::make_unique<Record>();
    record->id = nextId++;
    record->name = name ? name : L"";
    record->application = application;
    const uint32_t id = record->id;
    record->timer = std::make_unique<PeriodicTimer>([this, id] { Tick(id); });
    PeriodicTimer* timer = record->timer.get();
    {
        std::lock_guard guard(lock_);
        records_.push_back(std::move(record));
    }
    timer->Start(periodMs);
    return id;
}

void CMTimer::Tick(uint32_t id)
{
    OnMTimer(id);
    std::wstring name;
    {
        std::lock_guard guard(lock_);
        auto it = std::find_if(records_.begin(), records_.end(), [id](const auto& r) { return r->id == id; });
        if (it == records_.end() || !(*it)->application)
            return;
        name = (*it)->name;
    }
    OnMTimer(id, name);
}

int CMTimer::KillWhere(bool (*match)(const Record&, uint32_t, const wchar_t*), uint32_t id, const wchar_t* name)
{
    std::vector<std::unique_ptr<Record>> doomed;
    int left = 0;
    {
        std::lock_guard guard(lock_);
        for (auto it = records_.begin(); it != records_.end();) {
            if (match(**it, id, name)) {
                doomed.push_back(std::move(*it));
                it = records_.erase(it);
            } else {
                ++it;
            }
        }
        left = static_cast<int>(records_.size());
    }
    // Stopping waits for a running tick, which itself takes the lock: do it outside.
    for (auto& r : doomed)
        r->timer->Stop();
    return left;
}

int CMTimer::KillTimer(uint32_t id)
{
    return KillWhere([](const Record& r, uint32_t i, const wchar_t*) { return r.id == i; }, id, nullptr);
}

int CMTimer::KillTimer(const wchar_t* name)
{
    return KillWhere([](const Record& r, uint32_t, const wchar_t* n) { return n != nullptr && r.name == n; }, 0, name);
}

void CMTimer::KillTimer()
{
    KillWhere([](const Record&, uint32_t, const wchar_t*) { return true; }, 0, nullptr);
}

int CMTimer::GetTimerIsRun(uint32_t id) const
{
    std::lock_guard guard(lock_);
    return std::any_of(records_.begin(), records_.end(), [id](const auto& r) { return r->id == id; }) ? 1 : 0;
}

int CMTimer::GetTimerIsRun(const wchar_t* name) const
{
    if (name == nullptr)
        return 0;
    std::lock_guard guard(lock_);
    return std::any_of(records_.begin(), records_.end(), [name](const auto& r) { return r->name == name; }) ? 1 : 0;
}

std::wstring CMTimer::GetTimerName(uint32_t id) const
{
    std::lock_guard guard(lock_);
    for (const auto& r : records_)
        if (r->id == id)
            return r->name;
    return L"";
}

int CMTimer::IsAppTimer(uint32_t id) const
{
    std::lock_guard guard(lock_);
    for (const auto& r : records_)
        if (r->id == id)
            return r->application;
    return 0;
}

CMTimer* CMTimer::GetMTimer(uint32_t id)
{
    std::lock_guard guard(TheInstances().lock);
    for (CMTimer* t : TheInstances().live)
        if (t->GetTimerIsRun(id))
            return t;
    return nullptr;
}

} // namespace Vinto
