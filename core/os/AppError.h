#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace vantrel::os {

// The one table of failure numbers; the classic numbering that users of such tools know.
namespace err {
constexpr int TypeMismatch = 13, BadFileNameOrNumber = 52, FileNotFound = 53, BadFileMode = 54, DeviceIO = 57,
              DiskFull = 61, InputPastEnd = 62, DeviceUnavailable = 68, PermissionDenied = 70, PathFileAccess = 75,
              PathNotFound = 76;
}

// A failure with its number and description, ready for "Error <number> <description>".
class AppError : public std::runtime_error
{
public:
    AppError(int number, std::string description);

    int number() const noexcept;
    const std::string& description() const noexcept;
    // "Error " + number + " " + description.
    std::string report() const;

private:
    int number_;
    std::string description_;
};

// The error of the table with this number ("File not found" for 53, ...).
AppError makeError(int number);

// The nearest table error for an operating-system error (errno, or a Win32 code on Windows).
AppError errorFromSystem(const std::error_code& ec);

} // namespace vantrel::os
