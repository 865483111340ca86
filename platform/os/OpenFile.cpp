#include "platform/os/OpenFile.h"

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
        // Reached only while another failure is already on its way out (or after a successful close):
        // that first failure is the one worth reporting.
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
