#pragma once
// Whether this process is the first of the program on the desktop session: an exclusive lock on
// "<name>.lock" in $XDG_RUNTIME_DIR, held until the object (or the process) goes, so a crashed
// instance never leaves a stale lock behind. A lock file that cannot be made counts as first, so
// a broken runtime folder never keeps the program from starting.
// Thread contract: a plain owner of one descriptor; one thread at a time.

#include <string>

namespace Vinto {

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::wstring& name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another process holds the lock of the same name.
    bool IsFirst() const { return first_; }
    // The lock file's path; empty when no runtime folder is known.
    const std::string& Path() const { return path_; }

    // The file name a device name gives: path separators and a leading dot become "_".
    static std::string FileNameFor(const std::wstring& name);

private:
    std::string path_;
    int fd_ = -1;
    bool first_ = true;
};

} // namespace Vinto
