#pragma once
// The device properties of the pointers of an X11 display, through XInput 2 on its own connection.
// Thread contract: one thread at a time (the connection is not shared).

#include "app/shell/PointerDeviceProperties.h"

#include <memory>

struct _XDisplay;

class X11PointerProperties : public PointerDeviceProperties {
public:
    // Null when no display can be opened or it lacks XInput 2.
    static std::unique_ptr<X11PointerProperties> Create();

    std::vector<int> DevicesWith(const char* property) override;
    std::optional<float> ReadFloat(int device, const char* property) override;
    bool WriteFloat(int device, const char* property, float value) override;
    std::vector<unsigned char> ReadBytes(int device, const char* property) override;
    bool WriteBytes(int device, const char* property, const std::vector<unsigned char>& values) override;

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };

    explicit X11PointerProperties(_XDisplay* display) : display_(display) {}

    std::unique_ptr<_XDisplay, DisplayCloser> display_;
};
