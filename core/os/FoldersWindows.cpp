#include "os/Folders.h"

#include "os/QuietDriveErrors.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include <system_error>

namespace vantrel::os {

AppError folderError(int systemCode)
{
    if (systemCode == ERROR_FILE_NOT_FOUND || systemCode == ERROR_PATH_NOT_FOUND || systemCode == ERROR_DIRECTORY)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(systemCode, std::system_category()));
}

// No folder is kept open on Windows: its files are opened by their full paths.
std::vector<std::string> readFolderEntries(const std::string& folder, EntryKind kind,
                                           const std::function<bool(const std::string& name)>& accept, OpenFolder*)
{
    if (folder.empty())
        throw makeError(err::PathNotFound);
    std::vector<std::string> names;
    const std::wstring wideFolder = toWidePath(folder);
    if (wideFolder.empty())
        throw makeError(err::PathNotFound);
    std::wstring widePattern = wideFolder;
    if (widePattern.back() != L'\\')
        widePattern += L'\\';
    widePattern += L'*';
    QuietDriveErrors quiet;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(wideFolder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // A file where a folder was expected: Windows versions differ in what they say.
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                throw makeError(err::PathNotFound);
            // An empty drive root has no "." entry, so nothing matches at all.
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES)
                return names;
        }
        throw folderError(int(code));
    }
    do {
        const DWORD attributes = data.dwFileAttributes;
        if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE))
            continue;
        const bool isFolderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolderEntry != (kind == EntryKind::Folders))
            continue;
        std::string name = toUtf8(data.cFileName);
        if (name == "." || name == "..")
            continue;
        if (!accept || accept(name))
            names.push_back(std::move(name));
    } while (::FindNextFileW(find, &data));
    const DWORD code = ::GetLastError();
    ::FindClose(find);
    if (code != ERROR_NO_MORE_FILES)
        throw folderError(int(code));
    return names;
}

} // namespace vantrel::os
