#pragma once
// One open HID interface, as hidapi's device handle offers it. Destroying the object closes the
// interface and cancels a pending read.
// Thread contract: one thread at a time per object; different objects may be used concurrently.

#include <cstddef>
#include <vector>

class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Writes one output report; data[0] is the report id. Returns the bytes written, or -1.
    virtual int Write(const unsigned char* data, std::size_t length) = 0;

    // Reads one input report of at most `length` bytes (a longer report is cut), waiting at most
    // `milliseconds` (for ever when negative). Returns the bytes read, 0 on time-out, -1 when the
    // interface is gone.
    virtual int ReadTimeout(unsigned char* data, std::size_t length, int milliseconds) = 0;

    // The interface's raw report descriptor; empty when it cannot be read.
    virtual std::vector<unsigned char> GetReportDescriptor() = 0;
};
