#pragma once

#include "os/Windows.h"

namespace vantrel::os {

// Keeps Windows from asking the user to insert a disk while a drive without medium is looked at.
class QuietDriveErrors
{
public:
    // The thread's own mode, not the process's: folders are read on several threads at once during a scan, and
    // a process-wide mode saved and restored by two threads in turn could stay changed for good.
    QuietDriveErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~QuietDriveErrors()
    {
        // Some implementations (Wine's) write the previous mode whether or not it is asked for.
        DWORD ignored = 0;
        ::SetThreadErrorMode(old_, &ignored);
    }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD old_ = 0;
};

} // namespace vantrel::os
