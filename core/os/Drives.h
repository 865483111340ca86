#pragma once

#include <string>
#include <vector>

namespace vantrel::os {

// The drives of the machine as the drive list shows them, in order. On Windows "c: [LABEL]" (lower-case letter and
// colon, then a blank and the volume label in brackets for a fixed, CD or RAM drive that has one); elsewhere the
// file system has one root and the single entry "/".
std::vector<std::string> machineDrives();

// The drive named by the first character of `drive` exists and its root can be read.
bool driveReadable(const std::string& drive);

// The folder that the folder list shows for `drive` (first character significant): on Windows the process's current
// folder on that drive (its root when that folder is gone), elsewhere the process's current folder. Throws AppError
// 68 "Device unavailable" for a drive that does not exist or cannot be read.
std::string currentFolderOn(const std::string& drive);

} // namespace vantrel::os
