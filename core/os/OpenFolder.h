#pragma once

#include "os/FileOps.h"

#include <string>

namespace vantrel::os {

// A folder kept open after its entries were read, so that a file of it can be opened by its name alone: the
// system then does not look up the folder's path a second time. Not on Windows: there (and while nothing is
// held) a file is opened by its full path, as FileOps::real() opens it.
class OpenFolder
{
public:
    OpenFolder() = default;
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Takes over an open folder descriptor (not on Windows), closing the one held before.
    void hold(int descriptor);
    // Gives up the descriptor held (-1 when none) without closing it.
    int release();
    // Opens the folder's file `name` for reading, whose full path is `path`, as FileOps::real().openRead(path)
    // would: a handle of the real file system, or a std::system_error with the system's code.
    FileOps::Handle openRead(const std::string& name, const std::string& path) const;

private:
    int descriptor_ = -1;
};

} // namespace vantrel::os
