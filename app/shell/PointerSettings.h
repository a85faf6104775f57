#pragma once
// The four desktop pointer settings Pelmaro keeps per profile, in the program's own scales: speed 1..20
// (10 is the desktop's default), acceleration on or off, wheel lines per notch (kWheelPageScroll for one
// screen per notch) and double-click time in milliseconds.
//
// This class keeps every value in memory and applies none: it is the backend of a desktop without
// such settings. A desktop backend overrides the hooks of the settings it has. A setter returns true
// when the desktop took the value; false means the value was only kept (the desktop has no such
// setting or refused it) or, for a value outside its scale, that nothing changed.
// Thread contract: any thread; every operation runs under the object's lock.

#include <mutex>
#include <optional>

class PointerSettings {
public:
    static constexpr int kMinSpeed = 1;
    static constexpr int kMaxSpeed = 20;
    static constexpr int kWheelPageScroll = -1;

    // The values of a fresh desktop; also what is kept before anything is set.
    struct Values {
        int speed = 10;
        bool acceleration = true;
        int wheelLines = 3;
        int doubleClickMs = 550;
    };

    PointerSettings() = default;
    virtual ~PointerSettings() = default;
    PointerSettings(const PointerSettings&) = delete;
    PointerSettings& operator=(const PointerSettings&) = delete;

    int GetMouseSpeed();
    bool SetMouseSpeed(int speed);
    bool GetAcceleration();
    bool SetAcceleration(bool on);
    int GetWheelLines();
    bool SetWheelLines(int lines);
    int GetDoubleClickTime();
    bool SetDoubleClickTime(int ms);

    // Speed on the [-1, 1] scale both GNOME and libinput use, 0 being the default; and back, rounded
    // and held to 1..20.
    static double SpeedToUnit(int speed);
    static int SpeedFromUnit(double unit);

protected:
    // Backend hooks, called under the lock. A read gives nothing when the desktop has no such setting
    // (the kept value is used instead); a write gives false when the value did not reach the desktop.
    virtual std::optional<int> ReadSpeed() { return std::nullopt; }
    virtual bool WriteSpeed(int) { return false; }
    virtual std::optional<bool> ReadAcceleration() { return std::nullopt; }
    virtual bool WriteAcceleration(bool) { return false; }
    virtual std::optional<int> ReadWheelLines() { return std::nullopt; }
    virtual bool WriteWheelLines(int) { return false; }
    virtual std::optional<int> ReadDoubleClickTime() { return std::nullopt; }
    virtual bool WriteDoubleClickTime(int) { return false; }

private:
    template <typename T>
    T ReadOrKept(std::optional<T> (PointerSettings::*read)(), const T& kept);
    template <typename T>
    bool KeepAndWrite(T& kept, T value, bool (PointerSettings::*write)(T));

    std::mutex lock_;
    Values kept_;
};
