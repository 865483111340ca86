#include "os/OpenFile.h"

namespace vantrel::os {

OpenFile::OpenFile(FileOps& ops, FileOps::Handle handle) noexcept : ops_(ops), handle_(handle) {}

OpenFile::~OpenFile()
{
    if (!open_)
        return;
    open_ = false;
    try {
        ops_.close(handle_);
    } catch (...) {
        // Reached only when an earlier failure skipped the explicit close(): that failure is the one to
        // report, not a second one from closing.
    }
}

void OpenFile::close()
{
    if (!open_)
        return;
    open_ = false;
    ops_.close(handle_);
}

} // namespace vantrel::os
