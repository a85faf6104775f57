#pragma once
// The layer's time in milliseconds: the monotonic clock for real use, or a manual clock that only
// moves when told to, so that timer, hover and double-click tests run without waiting.
// Thread contract: Now and Advance may be called from any thread.

#include <atomic>
#include <cstdint>

namespace Vinto {

class Clock {
public:
    enum class Kind { Monotonic, Manual };
    explicit Clock(Kind kind);

    uint64_t Now() const;
    bool IsManual() const { return kind_ == Kind::Manual; }
    // Moves a manual clock forward; does nothing to the monotonic one.
    void Advance(uint64_t milliseconds);

private:
    Kind kind_;
    std::atomic<uint64_t> manualNow_{1000};
};

} // namespace Vinto
