#include "os/AppError.h"

#include "os/SystemErrors.h"
#include "text/Catalogue.h"

namespace vantrel::os {

AppError::AppError(int number, std::string description)
    : std::runtime_error(text::get(text::Id::ErrorPrefix) + std::to_string(number) + " " + description),
      number_(number), description_(std::move(description))
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
    return text::get(text::Id::ErrorPrefix) + std::to_string(number_) + " " + description_;
}

AppError makeError(int number)
{
    switch (number) {
    case err::TypeMismatch:
        return AppError(number, text::get(text::Id::ErrTypeMismatch));
    case err::BadFileNameOrNumber:
        return AppError(number, text::get(text::Id::ErrBadFileNameOrNumber));
    case err::FileNotFound:
        return AppError(number, text::get(text::Id::ErrFileNotFound));
    case err::BadFileMode:
        return AppError(number, text::get(text::Id::ErrBadFileMode));
    case err::DeviceIO:
        return AppError(number, text::get(text::Id::ErrDeviceIO));
    case err::DiskFull:
        return AppError(number, text::get(text::Id::ErrDiskFull));
    case err::InputPastEnd:
        return AppError(number, text::get(text::Id::ErrInputPastEnd));
    case err::DeviceUnavailable:
        return AppError(number, text::get(text::Id::ErrDeviceUnavailable));
    case err::PermissionDenied:
        return AppError(number, text::get(text::Id::ErrPermissionDenied));
    case err::PathFileAccess:
        return AppError(number, text::get(text::Id::ErrPathFileAccess));
    case err::PathNotFound:
        return AppError(number, text::get(text::Id::ErrPathNotFound));
    default:
        return AppError(number, text::get(text::Id::ErrApplicationDefined));
    }
}

AppError errorFromSystem(const std::error_code& ec)
{
    return makeError(os::classicErrorNumber(ec));
}

} // namespace vantrel::os
