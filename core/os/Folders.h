#pragma once

#include "os/AppError.h"
#include "os/OpenFolder.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel::os {

enum class EntryKind { Folders, Files };

// Names (without folder, unsorted) of the visible entries of `folder` of one kind: sub-folders (links to folders
// included) or ordinary files. Hidden entries never count: on Linux names beginning with ".", on Windows the hidden
// and system attributes. `accept`, when given, filters by name before the kind is checked. When `keep` is given, the
// folder is left open in it (where the system allows), for opening its files by name. Throws AppError (76, 70, ...)
// when the folder cannot be read.
std::vector<std::string> readFolderEntries(const std::string& folder, EntryKind kind,
                                           const std::function<bool(const std::string& name)>& accept = {},
                                           OpenFolder* keep = nullptr);

// The table error for a folder that could not be read, from the system's code (errno, or a Win32 code on Windows):
// a missing folder is "Path not found" rather than the "File not found" of a missing file.
AppError folderError(int systemCode);

} // namespace vantrel::os
