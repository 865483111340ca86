#pragma once

#include <string>
#include <vector>

// Paths as the folder browser and the program hold them: UTF-8 (on Linux the file system's own bytes), with
// native separators, without a trailing separator except at a root ("/", "C:\", "\\server\share").
namespace vantrel::os {

// `path` made absolute (against the process's current folder), cleaned ("." and ".." resolved, doubled separators
// dropped), with native separators, without a trailing separator except at a root. Does not look at the file system
// beyond that. "" for "".
std::string normalisePath(const std::string& path);

// The process's current folder, normalised. Throws AppError when the system cannot tell it.
std::string currentFolder();

// Two paths name the same folder: ignoring letter case on Windows, byte for byte elsewhere.
bool samePath(const std::string& a, const std::string& b);

// The path is as far up as one can go: "/" on Linux; a drive's root or a network share on Windows.
bool isRoot(const std::string& path);

// The text by which names are compared ignoring letter case. Windows knows the case of every letter; on Linux a
// name is bytes in no known encoding, so only the ASCII letters fold there.
std::string foldCase(const std::string& text);

// Sorted by name ignoring letter case; names that differ only in case keep a fixed order by their bytes.
void sortIgnoringCase(std::vector<std::string>& names);

} // namespace vantrel::os
