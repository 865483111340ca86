#pragma once

#include "os/OpenFolder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The folder browser of the main window as models: the drive list, the folder list and the (never shown)
// file list. They read the file system and hold what a window draws; a window never reads a folder itself.
// Paths are UTF-8 (on Linux the file system's own bytes), with native separators, without a trailing
// separator except at a root ("/", "C:\", "\\server\share").
namespace vantrel::browse {

// The drive list. On Windows the machine's drives in the "c: [LABEL]" style (lower-case letter and colon,
// then a blank and the volume label in brackets for a fixed, CD or RAM drive that has one); elsewhere the
// file system has one root and the list the single entry "/".
class DriveModel
{
public:
    // Lists the drives and selects the drive of the process's current folder (the first entry elsewhere).
    DriveModel();

    // Runs inside setDrive() and select() when the selected drive changes (the drive list's change event).
    std::function<void()> onChange;

    const std::vector<std::string>& drives() const { return drives_; }
    int index() const { return index_; }
    // The selected entry's text ("" when the machine has no drive at all).
    std::string drive() const;
    // Selects the drive named by the first character of `drive` (letter case ignored), looking at the
    // machine's drives again when it is not listed. Throws AppError 68 "Device unavailable" when there is no
    // such drive or it cannot be read, leaving the selection unchanged. Runs onChange when the selection moves.
    void setDrive(const std::string& drive);
    // The user picked entry `index` of the list. Runs onChange when the selection moves. Throws AppError 380
    // "Invalid property value" for an index outside drives().
    void select(int index);
    // Looks at the machine's drives again (before the list drops down), so that a drive plugged in meanwhile
    // is offered. A selected drive that went away stays listed and selected.
    void reload();
    // Bumps whenever drives() or index() change.
    std::uint64_t revision() const { return revision_; }

    // The folder that the folder list shows for `drive` (first character significant): on Windows the process's
    // current folder on that drive (its root when that folder is gone), elsewhere the process's current folder.
    // Throws AppError 68 for a drive that does not exist or cannot be read.
    static std::string currentFolderOn(const std::string& drive);
    // The entries that the list would show now, in order.
    static std::vector<std::string> machineDrives();

private:
    int indexOf(const std::string& drive) const;

    std::vector<std::string> drives_;
    int index_ = -1;
    std::uint64_t revision_ = 0;
};

// One line of the folder list as a window draws it.
struct FolderEntry
{
    std::string name;  // the root as written ("/", "C:\"), otherwise the folder's own name
    std::string path;  // its full path
    int level = 0;     // indentation: 0 for the root
    bool open = false; // an ancestor of the path or the path itself (open folder), not one of its sub-folders
};

enum class EntryKind { Folders, Files };

// The folder list: the ancestors of the path, each indented one level more and shown as an open folder, then
// the sub-folders of the path, sorted by name ignoring letter case.
class FolderModel
{
public:
    // Runs inside setPath() and open() when the path changes (the folder list's change event). An exception
    // thrown by it passes on to the caller of setPath()/open(), after the new path is in place.
    std::function<void()> onChange;

    // The folder shown; "" until the first setPath().
    const std::string& path() const { return path_; }
    // Makes `path` (absolute, or relative to the process's current folder) the folder shown. Throws AppError 76
    // "Path not found" when it is not an existing folder and 70 "Permission denied" when its entries cannot be
    // read; the path stays unchanged then. Re-reads the sub-folders in every case; runs onChange only when the
    // normalised path differs from the current one (ignoring letter case on Windows).
    void setPath(const std::string& path);
    // Re-reads the sub-folders of the same path; no change event. Throws like setPath(), leaving the list as it
    // was. Returns whether the entries differ from before.
    bool refresh();
    // The user opened entries()[entry] (double-click or Enter): setPath() of its path. When that folder cannot be
    // read (it may have gone since it was listed), the list is re-read before the error passes on. Throws AppError
    // 381 for an entry outside entries().
    void open(int entry);

    // Number of sub-folders, and the full path of sub-folder `index` (0-based). list() throws AppError 381
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

    // Names (without folder, unsorted) of the visible entries of `folder` of one kind: sub-folders (links to
    // folders included) or ordinary files. Hidden entries never count: on Linux names beginning with ".", on
    // Windows the hidden and system attributes. `accept`, when given, filters by name before the kind is
    // checked. Throws AppError (76, 70, ...) when the folder cannot be read.
    static std::vector<std::string> readEntries(const std::string& folder, EntryKind kind,
                                                const std::function<bool(const std::string& name)>& accept = {});
    // The same, and when `keep` is given, the folder is left open in it (where the system allows), for opening its
    // files by name.
    static std::vector<std::string> readEntries(const std::string& folder, EntryKind kind,
                                                const std::function<bool(const std::string& name)>& accept,
                                                os::OpenFolder* keep);
    // `path` made absolute (against the process's current folder), cleaned ("." and ".." resolved, doubled
    // separators dropped), with native separators, without a trailing separator except at a root. Does not
    // look at the file system beyond that. "" for "".
    static std::string normalise(const std::string& path);
    // The process's current folder, normalised.
    static std::string currentFolder();
    // Two paths name the same folder: ignoring letter case on Windows, byte for byte elsewhere.
    static bool samePath(const std::string& a, const std::string& b);

private:
    void fill(const std::string& path, std::vector<std::string> subFolderNames);

    std::string path_;
    std::shared_ptr<const std::vector<std::string>> subFolders_ = std::make_shared<std::vector<std::string>>();
    std::vector<FolderEntry> entries_;
    int pathEntry_ = -1;
    std::uint64_t revision_ = 0;
};

// The file list: never shown; the ordinary files of one folder whose names match a pattern, and which of them
// is selected.
class FileModel
{
public:
    // Names to list, with the wildcards '*' and '?', matched ignoring letter case; several patterns may be given
    // separated by ';'. An empty pattern matches every file. Re-reads the folder when one is set, and throws like
    // setPath() then, keeping the previous pattern and list.
    void setPattern(const std::string& pattern);
    const std::string& pattern() const { return pattern_; }
    // The folder listed.
    const std::string& path() const { return path_; }
    // Lists the ordinary files of `folder` (no folders, no hidden files) that match the pattern, sorted by name
    // ignoring letter case, none selected. Throws AppError (76, 70, ...) when the folder cannot be read, keeping
    // the previous folder and list.
    void setPath(const std::string& folder);

    // What setPath() reads, read apart from any model (from any thread): the folder normalised and its files
    // that match `pattern`, sorted. Throws like setPath(). When `keep` is given, the folder is left open in it
    // (where the system allows), so that its files can be opened by name.
    struct Listing
    {
        std::string path;
        std::vector<std::string> files;
    };
    static Listing readListing(const std::string& folder, const std::string& pattern, os::OpenFolder* keep = nullptr);
    // Lists what readListing() read for the current pattern, as setPath() does, none selected.
    void setListing(Listing listing);
    int listCount() const { return static_cast<int>(files_.size()); }
    const std::vector<std::string>& files() const { return files_; }
    // Name of file `index` (0-based). Throws AppError 381 "Invalid property array index" outside the list.
    const std::string& file(int index) const;
    // Selects entry `index`; -1 selects none. Throws AppError 380 "Invalid property value" for any other index
    // outside the list.
    void setListIndex(int index);
    int listIndex() const { return index_; }
    // The selected file's name without folder, "" when none is selected.
    std::string fileName() const;
    // Selects the entry with that name (letter case ignored); "" or a name that is not listed selects none.
    void setFileName(const std::string& name);

private:
    static std::vector<std::string> read(const std::string& folder, const std::string& pattern,
                                         os::OpenFolder* keep = nullptr);

    std::string pattern_;
    std::string path_;
    std::vector<std::string> files_;
    int index_ = -1;
};

} // namespace vantrel::browse
