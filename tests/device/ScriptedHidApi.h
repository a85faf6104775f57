#pragma once
// A HID function table whose interfaces, descriptors and input reports a test writes down in
// advance. It records every write and every read request; reads never wait.

#include "device/HidApi.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// What happens on one interface path.
struct ScriptedPort {
    std::vector<unsigned char> descriptor;
    bool opens = true;
    bool writeFails = false;
    // Each read takes the next report; an empty report, or none left, is a time-out.
    std::deque<std::vector<unsigned char>> reads;

    struct ReadRequest {
        std::size_t length;
        int milliseconds;
    };
    int openCount = 0;
    int openHandles = 0;
    std::vector<std::vector<unsigned char>> writes;
    std::vector<ReadRequest> readRequests;
};

class ScriptedHidApi final : public HidApi {
public:
    std::vector<HidInterfaceInfo> records;
    std::map<std::string, std::shared_ptr<ScriptedPort>> ports;

    // Lists one record and gives its path a port with `descriptor`; returns the port.
    ScriptedPort& Add(const HidInterfaceInfo& info, std::vector<unsigned char> descriptor);

    std::vector<HidInterfaceInfo> Enumerate() override { return records; }
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;
};

// Descriptors of the collections the tests need.
std::vector<unsigned char> VendorDescriptor(int inputBytes, int outputBytes);
std::vector<unsigned char> PointerDescriptor();
// A pointer application collection with the vendor usage on a collection nested inside it.
std::vector<unsigned char> NestedVendorDescriptor();
