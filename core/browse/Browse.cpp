#include "browse/Browse.h"

#include "engine/Ascii.h"

#include "engine/AppError.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel::browse {

namespace {

#ifdef _WIN32
constexpr char Separator = '\\';
#else
constexpr char Separator = '/';
#endif

AppError invalidIndex()
{
    return AppError(381, "Invalid property array index");
}

AppError folderError(int code)
{
#ifdef _WIN32
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(code, std::system_category()));
#else
    // A missing folder is "Path not found" rather than the "File not found" of a missing file.
    if (code == ENOENT || code == ENOTDIR)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(code, std::generic_category()));
#endif
}

// The text by which names are compared ignoring letter case. Windows knows the case of every letter; on Linux a
// name is bytes in no known encoding, so only the ASCII letters fold there.
std::string foldCase(const std::string& text)
{
#ifdef _WIN32
    std::wstring wide = os::toWide(text);
    if (wide.empty())
        return text;
    std::wstring lower(wide.size(), L'\0');
    const int length = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, wide.c_str(), int(wide.size()),
                                       lower.data(), int(lower.size()), nullptr, nullptr, 0);
    if (length <= 0)
        return text;
    return os::toUtf8(lower.data(), std::size_t(length));
#else
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) { return lowerAscii(c); });
    return folded;
#endif
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return a == b || foldCase(a) == foldCase(b);
}

// Sorted by name ignoring letter case; names that differ only in case keep a fixed order by their bytes.
void sortIgnoringCase(std::vector<std::string>& names)
{
    // Folded once per name, so that sorting thousands of folders does not fold at every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names) {
        std::string key = foldCase(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

bool isRoot(const std::string& path)
{
#ifdef _WIN32
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\')
        return true;
    // A network share, \\server\share, is as far up as one can go.
    return path.size() > 2 && path.compare(0, 2, "\\\\") == 0 && std::count(path.begin(), path.end(), '\\') == 3 &&
           path.back() != '\\';
#else
    return path == "/";
#endif
}

#ifndef _WIN32
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
#endif

// Display name of one level of a path: the root as it is written, otherwise the last component.
std::string levelName(const std::string& path)
{
    if (isRoot(path))
        return path;
    const std::size_t cut = path.rfind(Separator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Each ancestor of `path`, root first, `path` itself last.
std::vector<std::string> ancestorsOf(const std::string& path)
{
    std::vector<std::string> levels;
    std::string level = path;
    for (;;) {
        levels.push_back(level);
        if (isRoot(level))
            break;
        const std::size_t cut = level.rfind(Separator);
        if (cut == std::string::npos)
            break;
        std::string parent = level.substr(0, cut);
        if (parent.empty() || parent.back() == ':')
            parent += Separator;
        if (parent == level)
            break;
        level = std::move(parent);
    }
    std::reverse(levels.begin(), levels.end());
    return levels;
}

bool sameEntries(const std::vector<FolderEntry>& a, const std::vector<FolderEntry>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FolderEntry& x, const FolderEntry& y) {
        return x.name == y.name && x.path == y.path && x.level == y.level && x.open == y.open;
    });
}

// '*' any run of characters, '?' exactly one (a whole UTF-8 sequence); both texts already case-folded. Backtracks
// only to the last '*', so the work stays proportional to the lengths for the short names and patterns met here.
bool wildcardMatch(const std::string& name, const std::string& pattern)
{
    const auto continuation = [&name](std::size_t at) {
        return at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80;
    };
    std::size_t n = 0, p = 0, resume = 0;
    std::size_t star = std::string::npos;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            ++n;
            while (continuation(n))
                ++n;
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            ++resume;
            while (continuation(resume))
                ++resume;
            n = resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The pattern's alternatives, case-folded. "*.*" keeps its old meaning of every file, with or without a dot.
std::vector<std::string> alternativesOf(const std::string& pattern)
{
    std::vector<std::string> alternatives;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos)
            end = pattern.size();
        const std::string part = trimmed(pattern.substr(start, end - start));
        if (!part.empty())
            alternatives.push_back(part == "*.*" ? std::string("*") : foldCase(part));
        start = end + 1;
    }
    return alternatives;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& alternatives)
{
    if (alternatives.empty())
        return true;
    const std::string folded = foldCase(name);
    for (const std::string& alternative : alternatives) {
        if (alternative.find_first_of("*?") == std::string::npos ? folded == alternative
                                                                 : wildcardMatch(folded, alternative))
            return true;
    }
    return false;
}

#ifdef _WIN32
// Keeps Windows from asking the user to insert a disk while a drive without medium is looked at.
class QuietDriveErrors
{
public:
    // The thread's own mode, not the process's: folders are read on several threads at once during a scan, and
    // a process-wide mode saved and restored by two threads in turn could stay changed for good.
    QuietDriveErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~QuietDriveErrors()
    {
        // Some implementations (Wine's) write the previous mode whether or not it is asked for.
        DWORD ignored = 0;
        ::SetThreadErrorMode(old_, &ignored);
    }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD old_ = 0;
};

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

bool isFolder(const std::wstring& path)
{
    QuietDriveErrors quiet;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool driveReadable(char letter)
{
    return driveExists(letter) && isFolder(rootOf(letter));
}
#endif

} // namespace

// ---- DriveModel

DriveModel::DriveModel()
{
    reload();
}

std::string DriveModel::drive() const
{
    return index_ < 0 ? std::string() : drives_[std::size_t(index_)];
}

void DriveModel::setDrive(const std::string& drive)
{
    int index = indexOf(drive);
    if (index < 0) {
        reload();
        index = indexOf(drive);
    }
    if (index < 0)
        throw makeError(err::DeviceUnavailable);
#ifdef _WIN32
    if (!driveReadable(drive[0]))
        throw makeError(err::DeviceUnavailable);
#endif
    select(index);
}

void DriveModel::select(int index)
{
    if (index < 0 || index >= static_cast<int>(drives_.size()))
        throw AppError(380, "Invalid property value");
    if (index == index_)
        return;
    index_ = index;
    ++revision_;
    if (onChange)
        onChange();
}

void DriveModel::reload()
{
    const std::string selected = drive();
    std::vector<std::string> drives = machineDrives();
    int index = -1;
    if (!selected.empty()) {
        const char wanted = lowerAscii(selected[0]);
        for (std::size_t i = 0; i < drives.size() && index < 0; ++i) {
            if (lowerAscii(drives[i][0]) == wanted)
                index = int(i);
        }
        // A selected drive that went away stays listed and selected: the selection only moves when someone moves
        // it, and choosing it again reports that it is unavailable.
        if (index < 0) {
            index = 0;
            while (index < int(drives.size()) && lowerAscii(drives[std::size_t(index)][0]) < wanted)
                ++index;
            drives.insert(drives.begin() + index, selected);
        }
    } else {
#ifdef _WIN32
        // At first the list shows the drive of the process's current folder.
        const std::string current = FolderModel::currentFolder();
        for (std::size_t i = 0; i < drives.size() && index < 0 && !current.empty(); ++i) {
            if (lowerAscii(drives[i][0]) == lowerAscii(current[0]))
                index = int(i);
        }
#endif
        if (index < 0 && !drives.empty())
            index = 0;
    }
    if (drives != drives_ || index != index_) {
        drives_ = std::move(drives);
        index_ = index;
        ++revision_;
    }
}

std::string DriveModel::currentFolderOn(const std::string& drive)
{
    if (drive.empty())
        throw makeError(err::DeviceUnavailable);
#ifdef _WIN32
    const char letter = drive[0];
    if (!driveReadable(letter))
        throw makeError(err::DeviceUnavailable);
    // "x:" resolves to the folder that the process last used on drive x, as the system remembers it.
    std::string folder = FolderModel::normalise(std::string{letter, ':'});
    if (folder.empty() || !isFolder(os::toWide(folder)))
        folder = os::toUtf8(rootOf(letter));
    return folder;
#else
    if (drive[0] != '/')
        throw makeError(err::DeviceUnavailable);
    return FolderModel::currentFolder();
#endif
}

std::vector<std::string> DriveModel::machineDrives()
{
    std::vector<std::string> drives;
#ifdef _WIN32
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
                name += " [" + os::toUtf8(label) + "]";
        }
        drives.push_back(std::move(name));
    }
#else
    drives.emplace_back("/");
#endif
    return drives;
}

int DriveModel::indexOf(const std::string& drive) const
{
    if (drive.empty())
        return -1;
    const char wanted = lowerAscii(drive[0]);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (lowerAscii(drives_[i][0]) == wanted)
            return int(i);
    }
    return -1;
}

// ---- FolderModel

void FolderModel::setPath(const std::string& path)
{
    const std::string normal = normalise(path);
    std::vector<std::string> subFolders = readEntries(normal, EntryKind::Folders);
    const bool changed = !samePath(normal, path_);
    fill(normal, std::move(subFolders));
    if (changed && onChange)
        onChange();
}

bool FolderModel::refresh()
{
    if (path_.empty())
        return false;
    const std::uint64_t before = revision_;
    fill(path_, readEntries(path_, EntryKind::Folders));
    return revision_ != before;
}

void FolderModel::open(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(entries_.size()))
        throw invalidIndex();
    // A copy: setPath() replaces the entries.
    const std::string target = entries_[std::size_t(entry)].path;
    const std::uint64_t before = revision_;
    try {
        setPath(target);
    } catch (const AppError&) {
        // The folder could not be read: it may have gone since it was listed, so the list is read again.
        if (revision_ == before) {
            try {
                refresh();
            } catch (const AppError&) {
                // The folder shown has gone too; the caller learns of the first failure.
            }
        }
        throw;
    }
}

const std::string& FolderModel::list(int index) const
{
    if (index < 0 || index >= listCount())
        throw invalidIndex();
    return (*subFolders_)[std::size_t(index)];
}

void FolderModel::fill(const std::string& path, std::vector<std::string> subFolderNames)
{
    sortIgnoringCase(subFolderNames);

    const std::vector<std::string> levels = ancestorsOf(path);
    std::string prefix = path;
    if (prefix.empty() || prefix.back() != Separator)
        prefix += Separator;

    auto subFolders = std::make_shared<std::vector<std::string>>();
    std::vector<FolderEntry> entries;
    subFolders->reserve(subFolderNames.size());
    entries.reserve(levels.size() + subFolderNames.size());
    for (std::size_t level = 0; level < levels.size(); ++level)
        entries.push_back(FolderEntry{levelName(levels[level]), levels[level], int(level), true});
    const int childLevel = int(levels.size());
    for (std::string& name : subFolderNames) {
        subFolders->push_back(prefix + name);
        entries.push_back(FolderEntry{std::move(name), subFolders->back(), childLevel, false});
    }

    path_ = path;
    subFolders_ = std::move(subFolders);
    pathEntry_ = int(levels.size()) - 1;
    if (!sameEntries(entries, entries_)) {
        entries_ = std::move(entries);
        ++revision_;
    }
}

std::vector<std::string> FolderModel::readEntries(const std::string& folder, EntryKind kind,
                                                  const std::function<bool(const std::string& name)>& accept)
{
    return readEntries(folder, kind, accept, nullptr);
}

std::vector<std::string> FolderModel::readEntries(const std::string& folder, EntryKind kind,
                                                  const std::function<bool(const std::string& name)>& accept,
                                                  os::OpenFolder* keep)
{
    if (folder.empty())
        throw makeError(err::PathNotFound);
    std::vector<std::string> names;
#ifdef _WIN32
    (void)keep;
    std::string pattern = folder;
    if (pattern.back() != '\\')
        pattern += '\\';
    pattern += '*';
    const std::wstring widePattern = os::toWide(pattern);
    QuietDriveErrors quiet;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(os::toWide(folder).c_str());
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
        std::string name = os::toUtf8(data.cFileName);
        if (name == "." || name == "..")
            continue;
        if (!accept || accept(name))
            names.push_back(std::move(name));
    } while (::FindNextFileW(find, &data));
    const DWORD code = ::GetLastError();
    ::FindClose(find);
    if (code != ERROR_NO_MORE_FILES)
        throw folderError(int(code));
#else
    // The folder is read with getdents64 into a buffer that each thread keeps: unlike opendir() this costs no
    // status call and no allocation, and the scan reads thousands of folders.
    int fd;
    do {
        fd = ::open(folder.c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw folderError(errno);
    os::OpenFolder opened; // closes the folder on every way out
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
#endif
    return names;
}

std::string FolderModel::normalise(const std::string& path)
{
    if (path.empty())
        return std::string();
#ifdef _WIN32
    // GetFullPathNameW knows the current folder of each drive, so "d:" and "d:sub" resolve as the system does.
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', '\\');
    const std::wstring wide = os::toWide(native);
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
    std::string full = os::toUtf8(buffer);
    while (full.size() > 3 && full.back() == '\\' && full.compare(full.size() - 2, 2, ":\\") != 0)
        full.pop_back();
    return full;
#else
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
#endif
}

std::string FolderModel::currentFolder()
{
#ifdef _WIN32
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
    return normalise(os::toUtf8(buffer));
#else
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            throw folderError(errno);
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return normalise(buffer);
#endif
}

bool FolderModel::samePath(const std::string& a, const std::string& b)
{
#ifdef _WIN32
    if (a == b)
        return true;
    const std::wstring wideA = os::toWide(a);
    const std::wstring wideB = os::toWide(b);
    return ::CompareStringOrdinal(wideA.c_str(), int(wideA.size()), wideB.c_str(), int(wideB.size()), TRUE) ==
           CSTR_EQUAL;
#else
    return a == b;
#endif
}

// ---- FileModel

void FileModel::setPattern(const std::string& pattern)
{
    if (!path_.empty()) {
        files_ = read(path_, pattern);
        index_ = -1;
    }
    pattern_ = pattern;
}

void FileModel::setPath(const std::string& folder)
{
    setListing(readListing(folder, pattern_));
}

FileModel::Listing FileModel::readListing(const std::string& folder, const std::string& pattern, os::OpenFolder* keep)
{
    Listing listing;
    listing.path = FolderModel::normalise(folder);
    listing.files = read(listing.path, pattern, keep);
    return listing;
}

void FileModel::setListing(Listing listing)
{
    path_ = std::move(listing.path);
    files_ = std::move(listing.files);
    index_ = -1;
}

const std::string& FileModel::file(int index) const
{
    if (index < 0 || index >= listCount())
        throw invalidIndex();
    return files_[std::size_t(index)];
}

void FileModel::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        throw AppError(380, "Invalid property value");
    index_ = index;
}

std::string FileModel::fileName() const
{
    return index_ < 0 ? std::string() : files_[std::size_t(index_)];
}

void FileModel::setFileName(const std::string& name)
{
    index_ = -1;
    if (name.empty())
        return;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (sameIgnoringCase(files_[i], name)) {
            index_ = int(i);
            return;
        }
    }
}

std::vector<std::string> FileModel::read(const std::string& folder, const std::string& pattern, os::OpenFolder* keep)
{
    const std::vector<std::string> alternatives = alternativesOf(pattern);
    std::vector<std::string> files = FolderModel::readEntries(
        folder, EntryKind::Files, [&alternatives](const std::string& name) { return matchesAny(name, alternatives); },
        keep);
    sortIgnoringCase(files);
    return files;
}

} // namespace vantrel::browse
