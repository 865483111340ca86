#include "browse/FolderModel.h"

#include "os/AppError.h"
#include "os/FileSearch.h"
#include "os/Folders.h"
#include "os/Paths.h"

#include <algorithm>
#include <utility>

namespace vantrel::browse {

namespace {

// Display name of one level of a path: the root as it is written, otherwise the last component.
std::string levelName(const std::string& path)
{
    if (os::isRoot(path))
        return path;
    const std::size_t cut = path.rfind(os::nativeSeparator());
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Each ancestor of `path`, root first, `path` itself last.
std::vector<std::string> ancestorsOf(const std::string& path)
{
    const char separator = os::nativeSeparator();
    std::vector<std::string> levels;
    std::string level = path;
    for (;;) {
        levels.push_back(level);
        if (os::isRoot(level))
            break;
        const std::size_t cut = level.rfind(separator);
        if (cut == std::string::npos)
            break;
        std::string parent = level.substr(0, cut);
        if (parent.empty() || parent.back() == ':')
            parent += separator;
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

} // namespace

void FolderModel::setPath(const std::string& path)
{
    const std::string normal = os::normalisePath(path);
    std::vector<std::string> subFolders = os::readFolderEntries(normal, os::EntryKind::Folders);
    const bool changed = !os::samePath(normal, path_);
    fill(normal, std::move(subFolders));
    if (changed && onChange)
        onChange();
}

bool FolderModel::refresh()
{
    if (path_.empty())
        return false;
    const std::uint64_t before = revision_;
    fill(path_, os::readFolderEntries(path_, os::EntryKind::Folders));
    return revision_ != before;
}

void FolderModel::open(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(entries_.size()))
        throw os::AppError(381, "Invalid property array index");
    // A copy: setPath() replaces the entries.
    const std::string target = entries_[std::size_t(entry)].path;
    const std::uint64_t before = revision_;
    try {
        setPath(target);
    } catch (const os::AppError&) {
        // The folder could not be read: it may have gone since it was listed, so the list is read again.
        if (revision_ == before) {
            try {
                refresh();
            } catch (const os::AppError&) {
                // The folder shown has gone too; the caller learns of the first failure.
            }
        }
        throw;
    }
}

const std::string& FolderModel::list(int index) const
{
    if (index < 0 || index >= listCount())
        throw os::AppError(381, "Invalid property array index");
    return (*subFolders_)[std::size_t(index)];
}

void FolderModel::fill(const std::string& path, std::vector<std::string> subFolderNames)
{
    os::sortIgnoringCase(subFolderNames);

    const char separator = os::nativeSeparator();
    const std::vector<std::string> levels = ancestorsOf(path);
    std::string prefix = path;
    if (prefix.empty() || prefix.back() != separator)
        prefix += separator;

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

} // namespace vantrel::browse
