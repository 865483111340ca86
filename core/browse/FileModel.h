#pragma once

#include "os/OpenFolder.h"

#include <string>
#include <vector>

namespace vantrel::browse {

// The file list of the main window's folder browser: never shown; the ordinary files of one folder whose names
// match a pattern, and which of them is selected.
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
    // ignoring letter case, none selected. Throws os::AppError (76, 70, ...) when the folder cannot be read, keeping
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
    // Name of file `index` (0-based). Throws os::AppError 381 "Invalid property array index" outside the list.
    const std::string& file(int index) const;
    // Selects entry `index`; -1 selects none. Throws os::AppError 380 "Invalid property value" for any other index
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
