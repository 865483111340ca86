#include "os/FileOps.h"

#include "os/RegularFile.h"

#include <system_error>

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#else
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel::os {

namespace {

#ifdef _WIN32

[[noreturn]] void throwLastError(const char* what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

HANDLE toHandle(FileOps::Handle file)
{
    return reinterpret_cast<HANDLE>(file);
}

// A file's attributes that a new file in its place keeps; read-only is left out, as such a file is never replaced.
// The archive attribute says "changed since the last backup", which a rewritten file is: it is always set, so
// that backup programs see the change.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// A handle of a file on a disk; anything else (a pipe, a console, a device) is closed and refused.
FileOps::Handle checked(HANDLE h)
{
    try {
        requireDiskFile(h);
    } catch (...) {
        CloseHandle(h);
        throw;
    }
    return reinterpret_cast<FileOps::Handle>(h);
}

// The number of names of the file at `path`; 1 where it cannot be opened to look (opened without access to its
// content, which no other program's sharing mode refuses).
std::uint32_t linksOf(const std::string& path)
{
    HANDLE h = CreateFileW(toWidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    // The file's standard information alone: GetFileInformationByHandle would also ask for its volume's serial
    // number, which under Wine is a request to another process (the mount manager) for every call.
    FILE_STANDARD_INFO info;
    const bool known = GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info) != 0;
    CloseHandle(h);
    return known && info.NumberOfLinks > 0 ? info.NumberOfLinks : 1;
}

class RealFileOps final : public FileOps
{
public:
    Handle openRead(const std::string& path) override
    {
        HANDLE h = CreateFileW(toWidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throwLastError("open");
        return checked(h);
    }

    Handle createWrite(const std::string& path) override
    {
        HANDLE h = CreateFileW(toWidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throwLastError("create");
        return checked(h);
    }

    std::size_t readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size) override
    {
        // Moved to, then read from where it stands: a read given its offset in an OVERLAPPED structure costs Wine
        // a round trip to its server on every read (the completion it may have to queue), the move none.
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(toHandle(file), to, nullptr, FILE_BEGIN))
            throwLastError("read");
        const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(toHandle(file), buffer, want, &got, nullptr))
            throwLastError("read");
        return got;
    }

    void write(Handle file, const char* data, std::size_t size) override
    {
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD done = 0;
            if (!WriteFile(toHandle(file), data, chunk, &done, nullptr))
                throwLastError("write");
            if (done == 0)
                throw std::system_error(ERROR_HANDLE_DISK_FULL, std::system_category(), "write");
            data += done;
            size -= done;
        }
    }

    void flush(Handle file) override
    {
        if (!FlushFileBuffers(toHandle(file)))
            throwLastError("flush");
    }

    void close(Handle file) override
    {
        if (!CloseHandle(toHandle(file)))
            throwLastError("close");
    }

    Status status(const std::string& path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(toWidePath(path).c_str(), GetFileExInfoStandard, &data)) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                return {};
            throw std::system_error(static_cast<int>(error), std::system_category(), "status");
        }
        Status st;
        st.exists = true;
        st.regular = (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        st.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        st.attributes = data.dwFileAttributes & kKeptAttributes;
        st.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        if (st.regular)
            st.links = linksOf(path);
        return st;
    }

    void rename(const std::string& from, const std::string& to) override
    {
        // WRITE_THROUGH returns only once the move is on disk, which is what the POSIX branch's folder
        // sync achieves.
        if (!MoveFileExW(toWidePath(from).c_str(), toWidePath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throwLastError("rename");
    }

    void remove(const std::string& path) override
    {
        if (!DeleteFileW(toWidePath(path).c_str()))
            throwLastError("remove");
    }

    void setAttributes(const std::string& path, std::uint32_t attributes) override
    {
        if (!SetFileAttributesW(toWidePath(path).c_str(), (attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE))
            throwLastError("set attributes");
    }

    std::string resolveLink(const std::string& path) override
    {
        const std::wstring wide = toWidePath(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            return path;
        HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return path;
        std::wstring target(MAX_PATH, L'\0');
        DWORD length = GetFinalPathNameByHandleW(h, target.data(), DWORD(target.size()), FILE_NAME_NORMALIZED);
        if (length >= target.size()) {
            target.resize(length + 1);
            length = GetFinalPathNameByHandleW(h, target.data(), DWORD(target.size()), FILE_NAME_NORMALIZED);
        }
        CloseHandle(h);
        if (length == 0 || length >= target.size())
            return path;
        target.resize(length);
        // "\\?\D:\..." for a drive, "\\?\UNC\server\..." for a share.
        if (target.compare(0, 8, L"\\\\?\\UNC\\") == 0)
            target = L"\\" + target.substr(7);
        else if (target.compare(0, 4, L"\\\\?\\") == 0)
            target = target.substr(4);
        return toUtf8(target);
    }

    void syncFolder(const std::string&) override {}
};

#else

[[noreturn]] void throwErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

int toFd(FileOps::Handle file)
{
    return static_cast<int>(file);
}

// Read-only is a property of the file, the same for every user who looks at it (root included): the owner has
// taken away their own write permission, which is what marking a file read-only does.
bool isWriteProtected(mode_t mode)
{
    return (mode & S_IWUSR) == 0;
}

class RealFileOps final : public FileOps
{
public:
    Handle openRead(const std::string& path) override { return openRegular(AT_FDCWD, path.c_str(), O_RDONLY); }

    Handle createWrite(const std::string& path) override
    {
        return openRegular(AT_FDCWD, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
    }

    std::size_t readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size) override
    {
        for (;;) {
            const ssize_t got = ::pread(toFd(file), buffer, size, static_cast<off_t>(offset));
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR)
                throwErrno("read");
        }
    }

    void write(Handle file, const char* data, std::size_t size) override
    {
        while (size > 0) {
            const ssize_t done = ::write(toFd(file), data, size);
            if (done < 0) {
                if (errno == EINTR)
                    continue;
                throwErrno("write");
            }
            if (done == 0)
                throw std::system_error(ENOSPC, std::generic_category(), "write");
            data += done;
            size -= static_cast<std::size_t>(done);
        }
    }

    void flush(Handle file) override
    {
        if (::fsync(toFd(file)) != 0)
            throwErrno("flush");
    }

    void close(Handle file) override
    {
        // Linux releases the descriptor even when close reports an error, so it is never retried.
        if (::close(toFd(file)) != 0 && errno != EINTR)
            throwErrno("close");
    }

    Status status(const std::string& path) override
    {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                return {};
            throwErrno("status");
        }
        Status result;
        result.exists = true;
        result.regular = S_ISREG(st.st_mode);
        result.size = static_cast<std::uint64_t>(st.st_size);
        result.attributes = static_cast<std::uint32_t>(st.st_mode & 07777);
        result.readOnly = S_ISREG(st.st_mode) && isWriteProtected(st.st_mode);
        result.links = static_cast<std::uint32_t>(st.st_nlink);
        return result;
    }

    void rename(const std::string& from, const std::string& to) override
    {
        // A read-only file is its owner's protection: it is not replaced, as Windows refuses to replace it.
        // (The folder's write permission alone would let rename() put a new file in its place.)
        struct stat st;
        if (::stat(to.c_str(), &st) == 0 && S_ISREG(st.st_mode) && isWriteProtected(st.st_mode))
            throw std::system_error(EACCES, std::generic_category(), "rename");
        if (::rename(from.c_str(), to.c_str()) != 0)
            throwErrno("rename");
    }

    void remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0)
            throwErrno("remove");
    }

    void setAttributes(const std::string& path, std::uint32_t attributes) override
    {
        if (::chmod(path.c_str(), static_cast<mode_t>(attributes & 07777)) != 0)
            throwErrno("set attributes");
    }

    std::string resolveLink(const std::string& path) override
    {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char target[PATH_MAX];
        // A dangling link or a loop stays what it is: its open fails as for a missing file.
        if (::realpath(path.c_str(), target) == nullptr)
            return path;
        return target;
    }

    void syncFolder(const std::string& folder) override
    {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            throwErrno("sync folder");
        const int rc = ::fsync(fd);
        const int error = errno;
        ::close(fd);
        // Some file systems cannot sync a folder at all; that is no reason to call the rewrite failed.
        if (rc != 0 && error != EINVAL && error != ENOTSUP)
            throw std::system_error(error, std::generic_category(), "sync folder");
    }
};

#endif

} // namespace

FileOps::~FileOps() = default;

std::string FileOps::resolveLink(const std::string& path)
{
    return path;
}

FileOps& FileOps::real()
{
    static RealFileOps ops;
    return ops;
}

} // namespace vantrel::os
