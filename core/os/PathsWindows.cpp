#include "os/Paths.h"

#include "os/Folders.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::os {

namespace {

// The most characters the \\?\ form of a path may have.
constexpr std::size_t kLongestPath = 32767;

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hasDrive(const std::string& path)
{
    return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

// The length of the root that ".." never leaves, "C:\" or "\\server\share", and in `rest` where the names below it
// begin; 0 for a path that is not absolute.
std::size_t rootLengthOf(const std::string& path, std::size_t& rest)
{
    if (hasDrive(path) && path.size() >= 3 && path[2] == '\\') {
        rest = 3;
        return 3;
    }
    if (!startsWith(path, "\\\\"))
        return 0;
    const std::size_t server = path.find('\\', 2);
    const std::size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    if (share == std::string::npos) {
        rest = path.size();
        return path.size();
    }
    rest = share + 1;
    return share;
}

// The folder the system remembers for a drive ("d:"), as GetFullPathNameW tells it.
std::string remembered(const std::string& drive)
{
    const std::wstring wide = toWide(drive);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(wide.c_str(), DWORD(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::string();
        if (length < buffer.size()) {
            buffer.resize(length);
            return toUtf8(buffer);
        }
        buffer.resize(length + 1);
    }
}

} // namespace

std::string normalisePath(const std::string& path)
{
    if (path.empty())
        return std::string();
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', '\\');
    // The long form, as the system hands out final paths, comes back in the usual one.
    if (startsWith(native, "\\\\?\\UNC\\"))
        native = "\\" + native.substr(7);
    else if (startsWith(native, "\\\\?\\") && hasDrive(native.substr(4)))
        native = native.substr(4);

    // The components are resolved here rather than by GetFullPathNameW, which would also cut blanks and dots off
    // the end of the last name ("Trailing Space ", "Trailing Dot."): names that NTFS holds, and that the file calls
    // reach through the \\?\ form.
    if (startsWith(native, "\\\\?\\") || startsWith(native, "\\\\.\\"))
        return native; // a device or volume name: nothing to resolve
    std::size_t rest = 0;
    const std::size_t rootLength = rootLengthOf(native, rest);
    if (rootLength == 0) {
        if (hasDrive(native)) {
            // "d:" and "d:sub" start in the folder the system remembers for drive d.
            const std::string base = remembered(native.substr(0, 2));
            return base.empty() ? std::string() : normalisePath(base + '\\' + native.substr(2));
        }
        const std::string current = currentFolder();
        if (native[0] != '\\')
            return normalisePath(current + '\\' + native);
        // "\sub" starts at the root of the current folder.
        std::size_t ignored = 0;
        const std::size_t currentRoot = rootLengthOf(current, ignored);
        return currentRoot == 0 ? std::string() : normalisePath(current.substr(0, currentRoot) + native);
    }
    const std::string root = native.substr(0, rootLength);

    // "." and empty components vanish, ".." takes one back (never above the root).
    std::vector<std::string> parts;
    while (rest <= native.size()) {
        std::size_t end = native.find('\\', rest);
        if (end == std::string::npos)
            end = native.size();
        std::string part = native.substr(rest, end - rest);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        rest = end + 1;
    }
    std::string full = root;
    for (const std::string& part : parts) {
        if (full.back() != '\\')
            full += '\\';
        full += part;
    }
    return full;
}

std::wstring toWidePath(const std::string& path)
{
    const std::string full = normalisePath(path);
    std::wstring wide;
    if (hasDrive(full))
        wide = L"\\\\?\\" + toWide(full);
    else if (startsWith(full, "\\\\") && !startsWith(full, "\\\\?\\") && !startsWith(full, "\\\\.\\"))
        wide = L"\\\\?\\UNC\\" + toWide(full.substr(2));
    else
        wide = toWide(full);
    // No file has a longer path. A longer one is not cut short on its way into the system (Wine wraps its length
    // round, into the path of some other file): it names nothing.
    if (wide.size() > kLongestPath)
        return std::wstring();
    return wide;
}

std::string currentFolder()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(DWORD(buffer.size()), buffer.data());
        if (length == 0)
            throw folderError(int(::GetLastError()));
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length + 1);
    }
    return normalisePath(toUtf8(buffer));
}

bool samePath(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    const std::wstring wideA = toWide(a);
    const std::wstring wideB = toWide(b);
    return ::CompareStringOrdinal(wideA.c_str(), int(wideA.size()), wideB.c_str(), int(wideB.size()), TRUE) ==
           CSTR_EQUAL;
}

bool isRoot(const std::string& path)
{
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\')
        return true;
    // A network share, \\server\share, is as far up as one can go.
    return path.size() > 2 && path.compare(0, 2, "\\\\") == 0 && std::count(path.begin(), path.end(), '\\') == 3 &&
           path.back() != '\\';
}

std::string foldCase(const std::string& text)
{
    std::wstring wide = toWide(text);
    if (wide.empty())
        return text;
    std::wstring lower(wide.size(), L'\0');
    const int length = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, wide.c_str(), int(wide.size()),
                                       lower.data(), int(lower.size()), nullptr, nullptr, 0);
    if (length <= 0)
        return text;
    return toUtf8(lower.data(), std::size_t(length));
}

} // namespace vantrel::os
