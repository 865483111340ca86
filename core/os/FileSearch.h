#pragma once

#include <string>

namespace vantrel::os {

// Name (as stored in its folder) of the ordinary file matching fullPath's last component ignoring letter
// case, or "" — folders, hidden files (dot-files on Linux; hidden/system attribute on Windows) excluded.
std::string findOrdinaryFile(const std::string& fullPath);

// '\\' on Windows, '/' elsewhere.
char nativeSeparator();

} // namespace vantrel::os
