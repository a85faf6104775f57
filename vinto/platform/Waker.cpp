#include "vinto/platform/Waker.h"

#include <cstdint>
#include <sys/eventfd.h>

namespace Vinto {

Waker::Waker() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Waker::~Waker()
{
    if (fd_ >= 0)
        close(fd_);
}

void Waker::Wake()
{
    const uint64_t one = 1;
    // A full counter already means "wake up", so a failed write loses nothing.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

void Waker::Drain()
{
    uint64_t value = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &value, sizeof value);
}

} // namespace Vinto
