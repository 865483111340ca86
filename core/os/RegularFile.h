#pragma once

#include <cstdio>
#include <string>

namespace vantrel::os {

// Only ordinary files are ever read or written: a pipe, socket or device put where a file is expected would make
// an open or a read wait for good. Such a thing is refused like a file that cannot be read, with a
// std::system_error whose code the error table reads as "Path/File access error".

#ifdef _WIN32
// Throws unless `handle` (a HANDLE) is a file on a disk; the handle stays open.
void requireDiskFile(void* handle);
#else
// ::openat(folder, path, flags | O_CLOEXEC, 0666) without waiting for a writer or reader at the other end, for
// ordinary files only (which ignore O_NONBLOCK). Throws std::system_error.
int openRegular(int folder, const char* path, int flags);
#endif

// std::fopen for ordinary files only ("rb" or "ab"); the path is UTF-8. Null with errno set when it fails.
std::FILE* openRegularStream(const std::string& path, const char* mode);

} // namespace vantrel::os
