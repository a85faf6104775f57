#include "cli/TracingHidApi.h"

class TracingHidApi::TracingDevice final : public HidDevice {
public:
    TracingDevice(std::unique_ptr<HidDevice> inner, std::FILE* out) : inner_(std::move(inner)), out_(out) {}

    int Write(const unsigned char* data, std::size_t length) override
    {
        Print(TraceLine(true, data, length));
        return inner_->Write(data, length);
    }

    int ReadTimeout(unsigned char* data, std::size_t length, int milliseconds) override
    {
        const int read = inner_->ReadTimeout(data, length, milliseconds);
        if (read > 0) {
            Print(TraceLine(false, data, static_cast<std::size_t>(read)));
        }
        return read;
    }

    std::vector<unsigned char> GetReportDescriptor() override { return inner_->GetReportDescriptor(); }

private:
    void Print(const std::string& line)
    {
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    }

    std::unique_ptr<HidDevice> inner_;
    std::FILE* out_;
};

TracingHidApi::TracingHidApi(HidApi& inner, std::FILE* out) : inner_(inner), out_(out)
{
}

std::vector<HidInterfaceInfo> TracingHidApi::Enumerate()
{
    return inner_.Enumerate();
}

std::unique_ptr<HidDevice> TracingHidApi::OpenPath(const std::string& path)
{
    std::unique_ptr<HidDevice> device = inner_.OpenPath(path);
    if (!device) {
        return nullptr;
    }
    return std::make_unique<TracingDevice>(std::move(device), out_);
}

std::string TracingHidApi::TraceLine(bool toDevice, const unsigned char* data, std::size_t length)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = toDevice ? ">" : "<";
    line.reserve(1 + 3 * length);
    for (std::size_t at = 0; at < length; ++at) {
        line += ' ';
        line += kDigits[data[at] >> 4];
        line += kDigits[data[at] & 0x0F];
    }
    return line;
}
