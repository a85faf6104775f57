#include "device/ScriptedHidApi.h"

#include <algorithm>

namespace {

class ScriptedDevice final : public HidDevice {
public:
    explicit ScriptedDevice(std::shared_ptr<ScriptedPort> port) : port_(std::move(port)) { ++port_->openHandles; }
    ~ScriptedDevice() override { --port_->openHandles; }

    int Write(const unsigned char* data, std::size_t length) override
    {
        if (port_->writeFails) {
            return -1;
        }
        port_->writes.emplace_back(data, data + length);
        return static_cast<int>(length);
    }

    int ReadTimeout(unsigned char* data, std::size_t length, int milliseconds) override
    {
        port_->readRequests.push_back({length, milliseconds});
        if (port_->reads.empty()) {
            return 0;
        }
        const std::vector<unsigned char> report = std::move(port_->reads.front());
        port_->reads.pop_front();
        const std::size_t count = std::min(length, report.size());
        std::copy_n(report.begin(), count, data);
        return static_cast<int>(count);
    }

    std::vector<unsigned char> GetReportDescriptor() override { return port_->descriptor; }

private:
    std::shared_ptr<ScriptedPort> port_;
};

// Report 0x0C of `count` bytes in the direction given by `mainItem` (0x81 input, 0x91 output).
void AppendReport(std::vector<unsigned char>& bytes, int count, unsigned char mainItem)
{
    if (count <= 0) {
        return;
    }
    const unsigned char items[] = {0x75, 0x08, 0x96, static_cast<unsigned char>(count & 0xFF),
                                   static_cast<unsigned char>(count >> 8), 0x09, 0x01, mainItem, 0x02};
    bytes.insert(bytes.end(), std::begin(items), std::end(items));
}

} // namespace

ScriptedPort& ScriptedHidApi::Add(const HidInterfaceInfo& info, std::vector<unsigned char> descriptor)
{
    records.push_back(info);
    auto& port = ports[info.path];
    if (!port) {
        port = std::make_shared<ScriptedPort>();
    }
    port->descriptor = std::move(descriptor);
    return *port;
}

std::unique_ptr<HidDevice> ScriptedHidApi::OpenPath(const std::string& path)
{
    const auto found = ports.find(path);
    if (found == ports.end() || !found->second->opens) {
        return nullptr;
    }
    ++found->second->openCount;
    return std::make_unique<ScriptedDevice>(found->second);
}

std::vector<unsigned char> VendorDescriptor(int inputBytes, int outputBytes)
{
    std::vector<unsigned char> bytes = {0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x0C};
    AppendReport(bytes, inputBytes, 0x81);
    AppendReport(bytes, outputBytes, 0x91);
    bytes.push_back(0xC0);
    return bytes;
}

std::vector<unsigned char> PointerDescriptor()
{
    return {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25,
            0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x05, 0x81, 0x01, 0xC0};
}

std::vector<unsigned char> NestedVendorDescriptor()
{
    return {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x02, 0x85,
            0x0C, 0x75, 0x08, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0, 0xC0};
}
