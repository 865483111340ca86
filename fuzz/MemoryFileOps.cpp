#include "MemoryFileOps.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace vantrel::fuzz {

namespace {

[[noreturn]] void fail(int code)
{
    throw std::system_error(code, std::generic_category());
}

} // namespace

std::string& MemoryFileOps::contentOf(Handle file)
{
    const auto handle = open_.find(file);
    if (handle == open_.end())
        fail(EBADF);
    const auto content = files.find(handle->second);
    if (content == files.end())
        fail(ENOENT);
    return content->second;
}

os::FileOps::Handle MemoryFileOps::openRead(const std::string& path)
{
    if (files.find(path) == files.end())
        fail(ENOENT);
    open_[next_] = path;
    return next_++;
}

os::FileOps::Handle MemoryFileOps::createWrite(const std::string& path)
{
    files[path].clear();
    open_[next_] = path;
    return next_++;
}

std::size_t MemoryFileOps::readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size)
{
    const std::string& content = contentOf(file);
    if (offset >= content.size())
        return 0;
    const std::size_t count = std::min<std::size_t>(size, content.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, content.data() + offset, count);
    return count;
}

void MemoryFileOps::write(Handle file, const char* data, std::size_t size)
{
    contentOf(file).append(data, size);
}

void MemoryFileOps::flush(Handle file)
{
    contentOf(file);
}

void MemoryFileOps::close(Handle file)
{
    if (open_.erase(file) == 0)
        fail(EBADF);
}

os::FileOps::Status MemoryFileOps::status(const std::string& path)
{
    Status status;
    const auto found = files.find(path);
    if (found != files.end()) {
        status.exists = true;
        status.regular = true;
        status.size = found->second.size();
        return status;
    }
    // A folder exists while some file lies below it.
    const std::string prefix = path + "/";
    const auto below = files.lower_bound(prefix);
    if (below != files.end() && below->first.compare(0, prefix.size(), prefix) == 0)
        status.exists = true;
    return status;
}

void MemoryFileOps::rename(const std::string& from, const std::string& to)
{
    const auto found = files.find(from);
    if (found == files.end())
        fail(ENOENT);
    std::string content = std::move(found->second);
    files.erase(found);
    files[to] = std::move(content);
}

void MemoryFileOps::remove(const std::string& path)
{
    if (files.erase(path) == 0)
        fail(ENOENT);
}

void MemoryFileOps::setAttributes(const std::string& path, std::uint32_t)
{
    // Files in memory have no permissions; the file must be there all the same.
    if (files.count(path) == 0)
        fail(ENOENT);
}

void MemoryFileOps::syncFolder(const std::string&) {}

} // namespace vantrel::fuzz
