#pragma once
// Window timers: each (window, id) fires WM_TIMER every `elapse` milliseconds of the layer's clock.
// A timer that fell behind fires once, not once per missed period.
// Thread contract: every call may come from any thread.

#include "vinto/platform/Message.h"

#include <mutex>
#include <optional>
#include <vector>

namespace Vinto {

class TimerTable {
public:
    // Starts or restarts the timer; an elapse of 0 is taken as 1 ms.
    void Set(WindowHandle window, uintptr_t id, uint32_t elapseMs, uint64_t now);
    bool Kill(WindowHandle window, uintptr_t id);
    void ForgetWindow(WindowHandle window);

    // The WM_TIMER of the timer due earliest at `now`, which is then rescheduled.
    std::optional<Message> TakeDue(uint64_t now);
    std::optional<uint64_t> NextDue() const;

private:
    struct Entry {
        WindowHandle window;
        uintptr_t id;
        uint32_t elapse;
        uint64_t due;
    };
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

} // namespace Vinto
