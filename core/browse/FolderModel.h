#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrel::browse {

// One line of the folder list as a window draws it.
struct FolderEntry
{
    std::string name;  // the root as written ("/", "C:\"), otherwise the folder's own name
    std::string path;  // its full path
    int level = 0;     // indentation: 0 for the root
    bool open = false; // an ancestor of the path or the path itself (open folder), not one of its sub-folders
};

// The folder list of the main window's folder browser: the ancestors of the path, each indented one level more
// and shown as an open folder, then the sub-folders of the path, sorted by name ignoring letter case. Paths are
// those of os/Paths.h.
class FolderModel
{
public:
    // Runs inside setPath() and open() when the path changes (the folder list's change event). An exception
    // thrown by it passes on to the caller of setPath()/open(), after the new path is in place.
    std::function<void()> onChange;

    // The folder shown; "" until the first setPath().
    const std::string& path() const { return path_; }
    // Makes `path` (absolute, or relative to the process's current folder) the folder shown. Throws os::AppError 76
    // "Path not found" when it is not an existing folder and 70 "Permission denied" when its entries cannot be
    // read; the path stays unchanged then. Re-reads the sub-folders in every case; runs onChange only when the
    // normalised path differs from the current one (ignoring letter case on Windows).
    void setPath(const std::string& path);
    // Re-reads the sub-folders of the same path; no change event. Throws like setPath(), leaving the list as it
    // was. Returns whether the entries differ from before.
    bool refresh();
    // The user opened entries()[entry] (double-click or Enter): setPath() of its path. When that folder cannot be
    // read (it may have gone since it was listed), the list is re-read before the error passes on. Throws os::AppError
    // 381 for an entry outside entries().
    void open(int entry);

    // Number of sub-folders, and the full path of sub-folder `index` (0-based). list() throws os::AppError 381
    // "Invalid property array index" for an index outside 0 .. listCount() - 1.
    int listCount() const { return static_cast<int>(subFolders_->size()); }
    const std::string& list(int index) const;
    // The full paths of the sub-folders as they are now. A later read of the folder makes a new list and leaves
    // this one as it is, so it can be held (and read from other threads) while the model moves on.
    std::shared_ptr<const std::vector<std::string>> listSnapshot() const { return subFolders_; }

    // Every line of the list: the ancestors (root first), the path itself, then the sub-folders.
    const std::vector<FolderEntry>& entries() const { return entries_; }
    // Index in entries() of the path itself (the current entry after a change of path); -1 while empty.
    int pathEntry() const { return pathEntry_; }
    // Bumps whenever entries() change.
    std::uint64_t revision() const { return revision_; }

private:
    void fill(const std::string& path, std::vector<std::string> subFolderNames);

    std::string path_;
    std::shared_ptr<const std::vector<std::string>> subFolders_ = std::make_shared<std::vector<std::string>>();
    std::vector<FolderEntry> entries_;
    int pathEntry_ = -1;
    std::uint64_t revision_ = 0;
};

} // namespace vantrel::browse
