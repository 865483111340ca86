#include "os/Paths.h"

#include "os/Folders.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include <algorithm>

namespace vantrel::os {

std::string normalisePath(const std::string& path)
{
    if (path.empty())
        return std::string();
    // GetFullPathNameW knows the current folder of each drive, so "d:" and "d:sub" resolve as the system does.
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', '\\');
    const std::wstring wide = toWide(native);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(wide.c_str(), DWORD(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::string();
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length + 1);
    }
    std::string full = toUtf8(buffer);
    while (full.size() > 3 && full.back() == '\\' && full.compare(full.size() - 2, 2, ":\\") != 0)
        full.pop_back();
    return full;
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
