#pragma once
// An eventfd that interrupts the loop's poll when another thread posts, sends or invalidates.
// Thread contract: Wake from any thread; Drain and Fd on the waiting thread.

#include <unistd.h>

namespace Vinto {

class Waker {
public:
    Waker();
    ~Waker();
    Waker(const Waker&) = delete;
    Waker& operator=(const Waker&) = delete;

    void Wake();
    void Drain();
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
};

} // namespace Vinto
