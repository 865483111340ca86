#include "os/AppError.h"
#include "os/FileOps.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

using vantrel::os::AppError;
using vantrel::os::errorFromSystem;
using vantrel::os::makeError;
namespace err = vantrel::os::err;

TEST(AppError, TableGivesTheClassicDescriptionsAndReportFormat)
{
    const std::pair<int, const char*> table[] = {
        {err::TypeMismatch, "Type mismatch"},
        {err::BadFileNameOrNumber, "Bad file name or number"},
        {err::FileNotFound, "File not found"},
        {err::BadFileMode, "Bad file mode"},
        {err::DeviceIO, "Device I/O error"},
        {err::DiskFull, "Disk full"},
        {err::InputPastEnd, "Input past end of file"},
        {err::DeviceUnavailable, "Device unavailable"},
        {err::PermissionDenied, "Permission denied"},
        {err::PathFileAccess, "Path/File access error"},
        {err::PathNotFound, "Path not found"},
    };
    for (const auto& [number, text] : table) {
        const AppError e = makeError(number);
        EXPECT_EQ(e.number(), number);
        EXPECT_EQ(e.description(), text);
        EXPECT_EQ(e.report(), "Error " + std::to_string(number) + " " + text);
        EXPECT_EQ(std::string(e.what()), e.report());
    }
    const AppError custom(1234, "Something");
    EXPECT_EQ(custom.report(), "Error 1234 Something");
}

TEST(AppError, OperatingSystemErrorsMapToTheNearestNumber)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, err::FileNotFound},    {ENOTDIR, err::PathNotFound},    {EACCES, err::PermissionDenied},
        {EPERM, err::PermissionDenied}, {EROFS, err::PermissionDenied},  {ENOSPC, err::DiskFull},
        {EIO, err::DeviceIO},           {ENXIO, err::DeviceUnavailable}, {ENAMETOOLONG, err::BadFileNameOrNumber},
        {EEXIST, err::PathFileAccess},  {EISDIR, err::PathFileAccess},   {EBUSY, err::PathFileAccess},
    };
    for (const auto& [code, number] : cases) {
        EXPECT_EQ(errorFromSystem(std::error_code(code, std::generic_category())).number(), number) << code;
#ifndef _WIN32
        // On POSIX systems the system category carries errno values too.
        EXPECT_EQ(errorFromSystem(std::error_code(code, std::system_category())).number(), number) << code;
#endif
    }
    EXPECT_EQ(errorFromSystem(std::error_code(ENOSPC, std::generic_category())).report(), "Error 61 Disk full");
}

TEST(AppError, RealFailuresOfTheFileSystemCarryTheirNumbers)
{
    vantrel::test::TempDir dir;
    auto& ops = vantrel::os::FileOps::real();
    try {
        ops.openRead(dir.file("missing.cfg"));
        FAIL() << "opening a missing file succeeded";
    } catch (const std::system_error& e) {
        EXPECT_EQ(errorFromSystem(e.code()).number(), err::FileNotFound);
    }
    vantrel::test::writeBytes(dir.path() / "plain", "x");
    try {
        ops.openRead(dir.file("plain") + "/below");
        FAIL() << "opening below a file succeeded";
    } catch (const std::system_error& e) {
        EXPECT_EQ(errorFromSystem(e.code()).number(), err::PathNotFound);
    }
    EXPECT_FALSE(ops.status(dir.file("missing.cfg")).exists);
    const auto st = ops.status(dir.file("plain"));
    EXPECT_TRUE(st.exists);
    EXPECT_TRUE(st.regular);
    EXPECT_EQ(st.size, 1u);
    EXPECT_FALSE(ops.status(dir.str()).regular);
}
