#include "os/FileSearch.h"

#include "os/Ascii.h"

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace vantrel::os {

namespace {

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

#ifndef _WIN32
bool isOrdinaryFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
#endif

} // namespace

int chooseMatch(const std::string& wanted, const std::vector<std::string>& names)
{
    int chosen = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted)
            return static_cast<int>(i);
        if (equalIgnoringCase(names[i], wanted) && (chosen < 0 || names[i] < names[std::size_t(chosen)]))
            chosen = static_cast<int>(i);
    }
    return chosen;
}

char nativeSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string findOrdinaryFile(const std::string& fullPath)
{
    std::size_t cut = fullPath.size();
    while (cut > 0 && !isSeparator(fullPath[cut - 1]))
        --cut;
    const std::string folder = fullPath.substr(0, cut);
    const std::string name = fullPath.substr(cut);
    if (name.empty())
        return {};

#ifdef _WIN32
    // A search for one name: wildcards would turn it into a pattern.
    if (name.find_first_of("*?") != std::string::npos)
        return {};
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(toWidePath(fullPath).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string found;
    const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((data.dwFileAttributes & excluded) == 0)
        found = toUtf8(data.cFileName);
    FindClose(search);
    return found;
#else
    if (name[0] == '.')
        return {};
    // The common case costs one stat: the name is stored exactly as asked for.
    if (isOrdinaryFile(fullPath))
        return name;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return {};
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate.empty() || candidate[0] == '.' || !equalIgnoringCase(candidate, name))
            continue;
        if (isOrdinaryFile(folder + candidate))
            matches.push_back(candidate);
    }
    ::closedir(dir);
    const int chosen = chooseMatch(name, matches);
    return chosen < 0 ? std::string() : matches[std::size_t(chosen)];
#endif
}

} // namespace vantrel::os
