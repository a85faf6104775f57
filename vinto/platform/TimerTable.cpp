#include "vinto/platform/TimerTable.h"

#include "vinto/platform/Messages.h"

#include <algorithm>

namespace Vinto {

void TimerTable::Set(WindowHandle window, uintptr_t id, uint32_t elapseMs, uint64_t now)
{
    const uint32_t elapse = std::max<uint32_t>(elapseMs, 1);
    std::lock_guard lock(mutex_);
    for (Entry& e : entries_) {
        if (e.window == window && e.id == id) {
            e.elapse = elapse;
            e.due = now + elapse;
            return;
        }
    }
    entries_.push_back({window, id, elapse, now + elapse});
}

bool TimerTable::Kill(WindowHandle window, uintptr_t id)
{
    std::lock_guard lock(mutex_);
    return std::erase_if(entries_, [&](const Entry& e) { return e.window == window && e.id == id; }) > 0;
}

void TimerTable::ForgetWindow(WindowHandle window)
{
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& e) { return e.window == window; });
}

std::optional<Message> TimerTable::TakeDue(uint64_t now)
{
    std::lock_guard lock(mutex_);
    auto due = std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; });
    if (due == entries_.end() || due->due > now)
        return std::nullopt;
    due->due = now + due->elapse;
    Message m;
    m.window = due->window;
    m.message = WM_TIMER;
    m.wParam = due->id;
    return m;
}

std::optional<uint64_t> TimerTable::NextDue() const
{
    std::lock_guard lock(mutex_);
    std::optional<uint64_t> next;
    for (const Entry& e : entries_)
        if (!next || e.due < *next)
            next = e.due;
    return next;
}

} // namespace Vinto
