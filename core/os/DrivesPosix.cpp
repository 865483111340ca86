#include "os/Drives.h"

#include "os/AppError.h"
#include "os/Paths.h"

namespace vantrel::os {

std::vector<std::string> machineDrives()
{
    return {"/"};
}

bool driveReadable(const std::string& drive)
{
    return !drive.empty() && drive[0] == '/';
}

std::string currentFolderOn(const std::string& drive)
{
    if (!driveReadable(drive))
        throw makeError(err::DeviceUnavailable);
    return currentFolder();
}

} // namespace vantrel::os
