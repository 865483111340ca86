#include "os/SystemErrors.h"

#include <cerrno>

#include "os/Windows.h"

namespace vantrel::os {

namespace {

// The classic numbers, as the engine's error table has them.
constexpr int TypeMismatch = 13, BadFileNameOrNumber = 52, FileNotFound = 53, DeviceIO = 57, DiskFull = 61,
              InputPastEnd = 62, DeviceUnavailable = 68, PermissionDenied = 70, PathFileAccess = 75, PathNotFound = 76;

int numberForErrno(int code)
{
    switch (code) {
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return DiskFull;
    case EIO:
        return DeviceIO;
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return DeviceUnavailable;
    case ENAMETOOLONG:
    case EINVAL:
    case EBADF:
        return BadFileNameOrNumber;
    case EOVERFLOW:
        return TypeMismatch;
    default:
        // Busy, already there, a folder where a file was expected, too many open files, ...
        return PathFileAccess;
    }
}

#ifdef _WIN32
int numberForWin32(int code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return DiskFull;
    case ERROR_HANDLE_EOF:
        return InputPastEnd;
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
        return DeviceUnavailable;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return DeviceIO;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_PATHNAME:
        return BadFileNameOrNumber;
    default:
        return PathFileAccess;
    }
}
#endif

} // namespace

int classicErrorNumber(const std::error_code& ec)
{
    if (ec.category() == std::generic_category())
        return numberForErrno(ec.value());
    if (ec.category() == std::system_category()) {
#ifdef _WIN32
        return numberForWin32(ec.value());
#else
        return numberForErrno(ec.value());
#endif
    }
    const std::error_condition portable = ec.default_error_condition();
    if (portable.category() == std::generic_category())
        return numberForErrno(portable.value());
    return PathFileAccess;
}

} // namespace vantrel::os
