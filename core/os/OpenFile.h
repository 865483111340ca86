#pragma once

#include "os/FileOps.h"

namespace vantrel::os {

// Owns one open handle of a FileOps, so that the file is closed on every path, an exception included.
class OpenFile
{
public:
    OpenFile(FileOps& ops, FileOps::Handle handle) noexcept;
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    FileOps::Handle handle() const noexcept { return handle_; }
    // Closes now and reports a failure; the handle is released either way.
    void close();

private:
    FileOps& ops_;
    FileOps::Handle handle_;
    bool open_ = true;
};

} // namespace vantrel::os
