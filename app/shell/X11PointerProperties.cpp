#include "app/shell/X11PointerProperties.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// Xlib reports request errors through one process-wide handler; a write is checked by trapping the
// errors raised until its reply has been waited for.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display), guard_(Lock())
    {
        failed_ = false;
        previous_ = XSetErrorHandler(&ErrorTrap::Record);
    }
    ~ErrorTrap() { XSetErrorHandler(previous_); }

    bool Failed()
    {
        XSync(display_, False);
        return failed_;
    }

private:
    static std::mutex& Lock()
    {
        static std::mutex lock;
        return lock;
    }
    static int Record(Display*, XErrorEvent*)
    {
        failed_ = true;
        return 0;
    }

    static inline bool failed_ = false;
    Display* display_;
    std::lock_guard<std::mutex> guard_;
    XErrorHandler previous_;
};

struct XFreeDeleter {
    void operator()(void* p) const { XFree(p); }
};

// The raw value of a property of the given type and format, or nothing.
std::optional<std::vector<unsigned char>> Read(Display* display, int device, const char* property, Atom type,
                                                                     int format)
{
    const Atom atom = XInternAtom(display, property, True);
    if (atom == None)
        return std::nullopt;
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* raw = nullptr;
    if (XIGetProperty(display, device, atom, 0, 64, False, type, &actualType, &actualFormat, &count,
                      &remaining, &raw) != Success)
        return std::nullopt;
    std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
    if (actualType != type || actualFormat != format || count == 0)
        return std::nullopt;
    // XInput 2 hands property data back packed at its own format's size.
    return std::vector<unsigned char>(data.get(), data.get() + count * (format / 8));
}

bool Write(Display* display, int device, const char* property, Atom type, int format,
                                 const unsigned char* data, int count)
{
    const Atom atom = XInternAtom(display, property, True);
    if (atom == None)
        return false;
    ErrorTrap trap(display);
    XIChangeProperty(display, device, atom, type, format, XIPropModeReplace, const_cast<unsigned char*>(data),
                     count);
    return !trap.Failed();
}

} // namespace

void X11PointerProperties::DisplayCloser::operator()(_XDisplay* display) const
{
    XCloseDisplay(display);
}

std::unique_ptr<X11PointerProperties> X11PointerProperties::Create()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<X11PointerProperties> properties(new X11PointerProperties(display));
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success)
        return nullptr;
    return properties;
}

std::vector<int> X11PointerProperties::DevicesWith(const char* property)
{
    std::vector<int> found;
    const Atom atom = XInternAtom(display_.get(), property, True);
    if (atom == None)
        return found;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display_.get(), XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer)
            continue;
        int propertyCount = 0;
        std::unique_ptr<Atom, XFreeDeleter> atoms(XIListProperties(display_.get(), devices[i].deviceid, &propertyCount));
        if (atoms && std::find(atoms.get(), atoms.get() + propertyCount, atom) != atoms.get() + propertyCount)
            found.push_back(devices[i].deviceid);
    }
    XIFreeDeviceInfo(devices);
    return found;
}

std::optional<float> X11PointerProperties::ReadFloat(int device, const char* property)
{
    const Atom floatType = XInternAtom(display_.get(), "FLOAT", False);
    const std::optional<std::vector<unsigned char>> bytes = Read(display_.get(), device, property, floatType, 32);
    if (!bytes)
        return std::nullopt;
    float value = 0;
    std::memcpy(&value, bytes->data(), sizeof value);
    return value;
}

bool X11PointerProperties::WriteFloat(int device, const char* property, float value)
{
    const Atom floatType = XInternAtom(display_.get(), "FLOAT", False);
    unsigned char data[sizeof value];
    std::memcpy(data, &value, sizeof value);
    return Write(display_.get(), device, property, floatType, 32, data, 1);
}

std::vector<unsigned char> X11PointerProperties::ReadBytes(int device, const char* property)
{
    return Read(display_.get(), device, property, XA_INTEGER, 8).value_or(std::vector<unsigned char>());
}

bool X11PointerProperties::WriteBytes(int device, const char* property, const std::vector<unsigned char>& values)
{
    return Write(display_.get(), device, property, XA_INTEGER, 8, values.data(), static_cast<int>(values.size()));
}
