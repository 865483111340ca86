#include "os/OpenFolder.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>
#endif

namespace vantrel::os {

OpenFolder::~OpenFolder()
{
    hold(-1);
}

int OpenFolder::release()
{
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

void OpenFolder::hold(int descriptor)
{
#ifndef _WIN32
    if (descriptor_ >= 0)
        ::close(descriptor_);
#endif
    descriptor_ = descriptor;
}

FileOps::Handle OpenFolder::openRead(const std::string& name, const std::string& path) const
{
#ifndef _WIN32
    if (descriptor_ >= 0) {
        int fd;
        do {
            fd = ::openat(descriptor_, name.c_str(), O_RDONLY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            throw std::system_error(errno, std::generic_category(), "open");
        return fd;
    }
#else
    (void)name;
#endif
    return FileOps::real().openRead(path);
}

} // namespace vantrel::os
