#include "vinto/platform/SingleInstanceLock.h"

#include "vinto/platform/Utf8.h"

#include <glib.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Vinto {

std::string SingleInstanceLock::FileNameFor(const std::wstring& name)
{
    std::string file = WideToUtf8(name);
    for (char& c : file)
        if (c == '/')
            c = '_';
    if (file.empty() || file[0] == '.')
        file.insert(file.begin(), '_');
    return file + ".lock";
}

SingleInstanceLock::SingleInstanceLock(const std::wstring& name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : g_get_user_runtime_dir();
    if (folder.empty())
        return;
    path_ = folder + "/" + FileNameFor(name);
    fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return;
    int result;
    do {
        result = flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    first_ = result == 0 || errno != EWOULDBLOCK;
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (fd_ >= 0)
        close(fd_);
}

} // namespace Vinto
