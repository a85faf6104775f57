#pragma once
// A HID interface that arrived or left, as the hidraw monitor or the virtual mouse reports it.

#include <string>

struct DeviceChange {
    enum class Kind { Arrival, Removal };

    Kind kind = Kind::Arrival;
    // Upper case; a USB interface's path holds "VID_%04X&PID_%04X&MI_%02X". Interfaces that are not
    // USB interfaces (Bluetooth) carry no "MI_" part.
    std::string interfacePath;
    // What HidApi::OpenPath takes to probe the interface after its arrival.
    std::string node;
};
