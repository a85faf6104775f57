#pragma once
// Running a live (X11) loop in tests until a condition holds: a timer on `anyWindow` wakes the loop
// at least every 10 ms so the condition is looked at, and the wait gives up after `timeoutMs`.

#include "vinto/platform/WindowSystem.h"

#include <functional>

namespace VintoTest {

inline bool RunUntil(Vinto::WindowSystem& system, Vinto::WindowHandle anyWindow, const std::function<bool()>& done,
                     uint64_t timeoutMs = 10000)
{
    constexpr uintptr_t kWakeTimer = 0x7777;
    system.SetTimer(anyWindow, kWakeTimer, 10);
    const uint64_t deadline = system.GetClock().Now() + timeoutMs;
    Vinto::Message m;
    bool ok = true;
    while (!done()) {
        if (system.GetClock().Now() > deadline || !system.GetMessage(m)) {
            ok = false;
            break;
        }
        system.DispatchMessage(m);
    }
    system.KillTimer(anyWindow, kWakeTimer);
    return ok;
}

} // namespace VintoTest
