#include "os/AppError.h"

#include "os/SystemErrors.h"

namespace vantrel {

AppError::AppError(int number, std::string description)
    : std::runtime_error("Error " + std::to_string(number) + " " + description), number_(number),
      description_(std::move(description))
{
}

int AppError::number() const noexcept
{
    return number_;
}

const std::string& AppError::description() const noexcept
{
    return description_;
}

std::string AppError::report() const
{
    return "Error " + std::to_string(number_) + " " + description_;
}

AppError makeError(int number)
{
    switch (number) {
    case err::TypeMismatch:
        return AppError(number, "Type mismatch");
    case err::BadFileNameOrNumber:
        return AppError(number, "Bad file name or number");
    case err::FileNotFound:
        return AppError(number, "File not found");
    case err::BadFileMode:
        return AppError(number, "Bad file mode");
    case err::DeviceIO:
        return AppError(number, "Device I/O error");
    case err::DiskFull:
        return AppError(number, "Disk full");
    case err::InputPastEnd:
        return AppError(number, "Input past end of file");
    case err::DeviceUnavailable:
        return AppError(number, "Device unavailable");
    case err::PermissionDenied:
        return AppError(number, "Permission denied");
    case err::PathFileAccess:
        return AppError(number, "Path/File access error");
    case err::PathNotFound:
        return AppError(number, "Path not found");
    default:
        return AppError(number, "Application-defined or object-defined error");
    }
}

AppError errorFromSystem(const std::error_code& ec)
{
    return makeError(os::classicErrorNumber(ec));
}

} // namespace vantrel
