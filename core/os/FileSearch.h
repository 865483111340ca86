#pragma once

#include <string>
#include <vector>

namespace vantrel::os {

// Name (as stored in its folder) of the ordinary file matching fullPath's last component ignoring letter
// case, or "" — folders, hidden files (dot-files on Linux; hidden/system attribute on Windows) excluded.
std::string findOrdinaryFile(const std::string& fullPath);

// Which of a folder's files that match `wanted` ignoring letter case stands for it: the one named exactly so,
// otherwise the first in byte order. The one rule by which the scan and the rewrite pick an aircraft.cfg. Returns
// an index into `names` (which may hold other names too), or -1 when none matches.
int chooseMatch(const std::string& wanted, const std::vector<std::string>& names);

// '\\' on Windows, '/' elsewhere.
char nativeSeparator();

} // namespace vantrel::os
