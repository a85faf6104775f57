#include "device/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct EnumerationDeleter {
    void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};
struct HandleDeleter {
    void operator()(hid_device* handle) const { hid_close(handle); }
};
using HandlePtr = std::unique_ptr<hid_device, HandleDeleter>;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

std::vector<unsigned char> ReadDescriptor(const std::string& node)
{
    const FileDescriptor fd(::open(node.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    int size = 0;
    if (fd.Get() < 0 || ::ioctl(fd.Get(), HIDIOCGRDESCSIZE, &size) < 0 || size <= 0 ||
        size > HID_MAX_DESCRIPTOR_SIZE) {
        return {};
    }
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<__u32>(size);
    if (::ioctl(fd.Get(), HIDIOCGRDESC, &descriptor) < 0) {
        return {};
    }
    return {descriptor.value, descriptor.value + size};
}

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(HandlePtr handle, std::string node) : handle_(std::move(handle)), node_(std::move(node)) {}

    int Write(const unsigned char* data, std::size_t length) override { return hid_write(handle_.get(), data, length); }

    int ReadTimeout(unsigned char* data, std::size_t length, int milliseconds) override
    {
        return hid_read_timeout(handle_.get(), data, length, milliseconds);
    }

    std::vector<unsigned char> GetReportDescriptor() override { return ReadDescriptor(node_); }

private:
    HandlePtr handle_;
    std::string node_;
};
} // namespace

HidapiBackend::HidapiBackend()
{
    // hid_init must not run concurrently, so it runs here once. When it fails, hid_enumerate and
    // hid_open_path try it again themselves on their next use.
    hid_init();
}

HidapiBackend::~HidapiBackend()
{
    hid_exit();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate()
{
    const std::unique_ptr<hid_device_info, EnumerationDeleter> list(hid_enumerate(0, 0));
    std::vector<HidInterfaceInfo> interfaces;
    for (const hid_device_info* info = list.get(); info; info = info->next) {
        interfaces.push_back({info->path ? info->path : "", info->vendor_id, info->product_id,
                              info->release_number, info->usage_page, info->usage});
    }
    return interfaces;
}

std::unique_ptr<HidDevice> HidapiBackend::OpenPath(const std::string& path)
{
    HandlePtr handle(hid_open_path(path.c_str()));
    if (!handle) {
        return nullptr;
    }
    return std::make_unique<HidapiDevice>(std::move(handle), path);
}
