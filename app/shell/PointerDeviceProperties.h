#pragma once
// Reading and writing the input-device properties of the pointer devices of a display, the layer
// XInputPointerSettings works through (real X11 or a fake in tests).
// Thread contract: one thread at a time; XInputPointerSettings calls it under its lock.

#include <optional>
#include <vector>

class PointerDeviceProperties {
public:
    virtual ~PointerDeviceProperties() = default;

    // The pointer devices that carry the property.
    virtual std::vector<int> DevicesWith(const char* property) = 0;
    // A property of one 32-bit float; nothing when it is missing or of another type.
    virtual std::optional<float> ReadFloat(int device, const char* property) = 0;
    virtual bool WriteFloat(int device, const char* property, float value) = 0;
    // A property of 8-bit values; empty when it is missing or of another type.
    virtual std::vector<unsigned char> ReadBytes(int device, const char* property) = 0;
    virtual bool WriteBytes(int device, const char* property, const std::vector<unsigned char>& values) = 0;
};
