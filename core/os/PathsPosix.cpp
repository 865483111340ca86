#include "os/Paths.h"

#include "os/Ascii.h"
#include "os/Folders.h"

#include <cerrno>

#include <unistd.h>

namespace vantrel::os {

namespace {

// An absolute path that normalising leaves as it is: no empty, "." or ".." component, no trailing separator
// (except the root itself).
bool isClean(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return false;
    if (path.size() == 1)
        return true;
    std::size_t start = 1;
    for (;;) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::size_t length = end - start;
        if (length == 0 || (path[start] == '.' && (length == 1 || (length == 2 && path[start + 1] == '.'))))
            return false;
        if (end == path.size())
            return true;
        start = end + 1;
    }
}

} // namespace

std::string normalisePath(const std::string& path)
{
    if (path.empty())
        return std::string();
    if (isClean(path))
        return path; // the common case: a path that came out of this function, such as a listed folder's
    const std::string full = path[0] == '/' ? path : currentFolder() + '/' + path;
    // "." and empty components vanish, ".." takes one back (never above the root).
    std::vector<std::string> parts;
    std::size_t start = 1;
    while (start <= full.size()) {
        std::size_t end = full.find('/', start);
        if (end == std::string::npos)
            end = full.size();
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    if (parts.empty())
        return "/";
    std::string clean;
    for (const std::string& part : parts)
        clean += '/' + part;
    return clean;
}

std::string currentFolder()
{
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            throw folderError(errno);
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return normalisePath(buffer);
}

bool samePath(const std::string& a, const std::string& b)
{
    return a == b;
}

bool isRoot(const std::string& path)
{
    return path == "/";
}

std::string foldCase(const std::string& text)
{
    return lowerAscii(text);
}

} // namespace vantrel::os
