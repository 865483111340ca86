#pragma once

#include "os/FileOps.h"

#include <map>
#include <string>

namespace vantrel::fuzz {

// A file system held in memory: every call of the engine's file seam works on a map of path to bytes, so that
// one fuzz input costs no disk traffic. Folders are implied by the paths; renames replace, as on disk.
class MemoryFileOps : public os::FileOps
{
public:
    std::map<std::string, std::string> files;

    Handle openRead(const std::string& path) override;
    Handle createWrite(const std::string& path) override;
    std::size_t readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size) override;
    void write(Handle file, const char* data, std::size_t size) override;
    void flush(Handle file) override;
    void close(Handle file) override;
    Status status(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    void setAttributes(const std::string& path, std::uint32_t attributes) override;
    void syncFolder(const std::string& folder) override;

    // Handles still open: the engine must close every file it opens.
    std::size_t openCount() const { return open_.size(); }

private:
    std::string& contentOf(Handle file);

    std::map<Handle, std::string> open_; // handle -> path
    Handle next_ = 1;
};

} // namespace vantrel::fuzz
