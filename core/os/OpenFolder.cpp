#include "os/OpenFolder.h"

#include "os/RegularFile.h"

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
    if (descriptor_ >= 0)
        return openRegular(descriptor_, name.c_str(), O_RDONLY);
#else
    (void)name;
#endif
    return FileOps::real().openRead(path);
}

} // namespace vantrel::os
