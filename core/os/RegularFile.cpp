#include "os/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel::os {

#ifdef _WIN32

void requireDiskFile(void* handle)
{
    if (::GetFileType(static_cast<HANDLE>(handle)) != FILE_TYPE_DISK)
        throw std::system_error(ERROR_BAD_FILE_TYPE, std::system_category(), "open");
}

std::FILE* openRegularStream(const std::string& path, const char* mode)
{
    std::FILE* file = ::_wfopen(toWidePath(path).c_str(), toWide(mode).c_str());
    if (file == nullptr)
        return nullptr;
    try {
        requireDiskFile(reinterpret_cast<void*>(::_get_osfhandle(::_fileno(file))));
    } catch (const std::system_error&) {
        std::fclose(file);
        errno = ESPIPE;
        return nullptr;
    }
    return file;
}

#else

int openRegular(int folder, const char* path, int flags)
{
    int fd;
    do {
        fd = ::openat(folder, path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    // A pipe without a reader refuses a non-blocking open for writing; a device without its hardware too.
    if (fd < 0)
        throw std::system_error(errno == ENXIO ? ESPIPE : errno, std::generic_category(), "open");
    // O_NONBLOCK stays: an ordinary file ignores it.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw std::system_error(ESPIPE, std::generic_category(), "open");
    }
    return fd;
}

std::FILE* openRegularStream(const std::string& path, const char* mode)
{
    const bool append = std::strchr(mode, 'a') != nullptr;
    try {
        const int fd = openRegular(AT_FDCWD, path.c_str(), append ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY);
        std::FILE* file = ::fdopen(fd, mode);
        if (file == nullptr) {
            const int error = errno;
            ::close(fd);
            errno = error;
        }
        return file;
    } catch (const std::system_error& e) {
        errno = e.code().value();
        return nullptr;
    }
}

#endif

} // namespace vantrel::os
