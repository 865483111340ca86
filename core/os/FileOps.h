#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel::os {

// Every file-system call of the engine goes through this interface, so that a test can stand in for the
// real file system and make any single call fail. Failures are thrown as std::system_error carrying the
// operating system's own code (errno, or the Win32 error on Windows).
class FileOps
{
public:
    using Handle = std::intptr_t;

    struct Status
    {
        bool exists = false;
        bool regular = false; // an ordinary file, not a folder or device
        std::uint64_t size = 0;
        // What setAttributes() takes to give another file the same permissions: the permission bits on POSIX
        // systems, the hidden and system attributes on Windows (where a new file is always marked for archiving).
        std::uint32_t attributes = 0;
        // The file is marked read-only (on POSIX systems: its owner has no write permission), whoever asks.
        bool readOnly = false;
        // How many names (hard links) the file has; 1 where that cannot be told.
        std::uint32_t links = 1;
    };

    // The file system itself.
    static FileOps& real();

    virtual ~FileOps();

    // Opens an existing file for reading.
    virtual Handle openRead(const std::string& path) = 0;
    // Creates a file for writing, emptying one that exists.
    virtual Handle createWrite(const std::string& path) = 0;
    // Reads up to `size` bytes at `offset`; returns how many were read, 0 at the end of the file.
    virtual std::size_t readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size) = 0;
    // Appends all `size` bytes (short writes are retried) or throws.
    virtual void write(Handle file, const char* data, std::size_t size) = 0;
    // Forces the written content to stable storage.
    virtual void flush(Handle file) = 0;
    // Releases the handle; it is released even when the call reports an error.
    virtual void close(Handle file) = 0;
    // What is at `path`; a missing entry (or missing folder) is not an error.
    virtual Status status(const std::string& path) = 0;
    // Renames `from` to `to` in one step, replacing a file at `to` unless that file is read-only (permission denied).
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // Deletes a file.
    virtual void remove(const std::string& path) = 0;
    // Gives the file the permissions of Status::attributes (taken from another file).
    virtual void setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // The file that `path` names in the end when it is a symbolic link (a full path), otherwise `path` itself.
    virtual std::string resolveLink(const std::string& path);
    // Makes the folder's entries (renames, new names) durable; a no-op where renames already are.
    virtual void syncFolder(const std::string& folder) = 0;
};

} // namespace vantrel::os
