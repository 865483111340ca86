#include "os/Folders.h"

#include <cerrno>
#include <memory>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::os {

AppError folderError(int systemCode)
{
    if (systemCode == ENOENT || systemCode == ENOTDIR)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(systemCode, std::generic_category()));
}

std::vector<std::string> readFolderEntries(const std::string& folder, EntryKind kind,
                                           const std::function<bool(const std::string& name)>& accept, OpenFolder* keep)
{
    if (folder.empty())
        throw makeError(err::PathNotFound);
    std::vector<std::string> names;
    // The folder is read with getdents64 into a buffer that each thread keeps: unlike opendir() this costs no
    // status call and no allocation, and the scan reads thousands of folders.
    int fd;
    do {
        fd = ::open(folder.c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw folderError(errno);
    OpenFolder opened; // closes the folder on every way out
    opened.hold(fd);
    constexpr std::size_t kEntriesBuffer = 32 * 1024;
    thread_local const std::unique_ptr<char[]> buffer(new char[kEntriesBuffer]);
    int code = 0;
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer.get(), kEntriesBuffer);
        if (got <= 0) {
            // A folder removed while open may say ENOENT: that is its end, as for readdir().
            if (got < 0 && errno != ENOENT)
                code = errno;
            break;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.get() + at);
            at += entry->d_reclen;
            // Dot-names are hidden on Linux; this also drops "." and "..".
            if (entry->d_name[0] == '.')
                continue;
            std::string name(entry->d_name);
            if (accept && !accept(name))
                continue;
            unsigned char type = entry->d_type;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                // Follow a link to what it names; a dangling link is neither a folder nor a file.
                struct stat info;
                if (::fstatat(fd, entry->d_name, &info, 0) != 0)
                    continue;
                type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
            }
            if ((kind == EntryKind::Folders && type == DT_DIR) || (kind == EntryKind::Files && type == DT_REG))
                names.push_back(std::move(name));
        }
    }
    if (code != 0)
        throw folderError(code);
    if (keep != nullptr)
        keep->hold(opened.release());
    return names;
}

} // namespace vantrel::os
