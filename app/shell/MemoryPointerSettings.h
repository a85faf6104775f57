#pragma once
// Pointer settings of a simulated desktop that has all four settings: what tests and the virtual-mouse
// mode use in place of the real desktop. It records which settings were written, in order, so a test
// can tell a write of an unchanged value from no write at all.
// Thread contract: any thread, like PointerSettings.

#include "app/shell/PointerSettings.h"

#include <string>
#include <vector>

class MemoryPointerSettings : public PointerSettings {
public:
    explicit MemoryPointerSettings(Values desktop = {}) : desktop_(desktop) {}

    // The desktop's values and the names of the settings written so far ("speed", "acceleration",
    // "wheel", "double-click").
    Values Desktop();
    std::vector<std::string> Writes();

protected:
    std::optional<int> ReadSpeed() override { return Read(desktop_.speed); }
    bool WriteSpeed(int speed) override { return Record("speed", desktop_.speed, speed); }
    std::optional<bool> ReadAcceleration() override { return Read(desktop_.acceleration); }
    bool WriteAcceleration(bool on) override { return Record("acceleration", desktop_.acceleration, on); }
    std::optional<int> ReadWheelLines() override { return Read(desktop_.wheelLines); }
    bool WriteWheelLines(int lines) override { return Record("wheel", desktop_.wheelLines, lines); }
    std::optional<int> ReadDoubleClickTime() override { return Read(desktop_.doubleClickMs); }
    bool WriteDoubleClickTime(int ms) override { return Record("double-click", desktop_.doubleClickMs, ms); }

private:
    template <typename T>
    T Read(const T& field)
    {
        std::lock_guard guard(lock_);
        return field;
    }

    template <typename T>
    bool Record(const char* name, T& field, T value)
    {
        std::lock_guard guard(lock_);
        field = value;
        writes_.emplace_back(name);
        return true;
    }

    std::mutex lock_;
    Values desktop_;
    std::vector<std::string> writes_;
};
