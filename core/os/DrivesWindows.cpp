#include "os/Drives.h"

#include "os/AppError.h"
#include "os/Paths.h"
#include "os/QuietDriveErrors.h"
#include "os/WideText.h"
#include "os/Windows.h"

namespace vantrel::os {

namespace {

wchar_t upperLetter(char c)
{
    return c >= 'a' && c <= 'z' ? wchar_t(c - 'a' + 'A') : wchar_t(c);
}

std::wstring rootOf(char letter)
{
    return std::wstring{upperLetter(letter), L':', L'\\'};
}

bool driveExists(char letter)
{
    const wchar_t upper = upperLetter(letter);
    if (upper < L'A' || upper > L'Z')
        return false;
    return (::GetLogicalDrives() & (DWORD(1) << (upper - L'A'))) != 0;
}

bool isFolder(const std::string& path)
{
    QuietDriveErrors quiet;
    const DWORD attributes = ::GetFileAttributesW(toWidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::vector<std::string> machineDrives()
{
    std::vector<std::string> drives;
    QuietDriveErrors quiet;
    const DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (DWORD(1) << i)))
            continue;
        const char letter = char('a' + i);
        std::string name{letter, ':'};
        const std::wstring root = rootOf(letter);
        const UINT type = ::GetDriveTypeW(root.c_str());
        // Floppies and network drives are not asked for a label: either can keep the list waiting for seconds.
        if (type == DRIVE_FIXED || type == DRIVE_CDROM || type == DRIVE_RAMDISK) {
            wchar_t label[MAX_PATH + 1] = {};
            if (::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
                label[0] != 0)
                name += " [" + toUtf8(label) + "]";
        }
        drives.push_back(std::move(name));
    }
    return drives;
}

bool driveReadable(const std::string& drive)
{
    return !drive.empty() && driveExists(drive[0]) && isFolder(toUtf8(rootOf(drive[0])));
}

std::string currentFolderOn(const std::string& drive)
{
    if (!driveReadable(drive))
        throw makeError(err::DeviceUnavailable);
    const char letter = drive[0];
    // "x:" resolves to the folder that the process last used on drive x, as the system remembers it.
    std::string folder = normalisePath(std::string{letter, ':'});
    if (folder.empty() || !isFolder(folder))
        folder = toUtf8(rootOf(letter));
    return folder;
}

} // namespace vantrel::os
