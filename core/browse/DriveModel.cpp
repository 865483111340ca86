#include "browse/DriveModel.h"

#include "os/AppError.h"
#include "os/Ascii.h"
#include "os/Drives.h"
#include "os/Paths.h"

#include <utility>

namespace vantrel::browse {

DriveModel::DriveModel()
{
    reload();
}

std::string DriveModel::drive() const
{
    return index_ < 0 ? std::string() : drives_[std::size_t(index_)];
}

void DriveModel::setDrive(const std::string& drive)
{
    int index = indexOf(drive);
    if (index < 0) {
        reload();
        index = indexOf(drive);
    }
    if (index < 0 || !os::driveReadable(drive))
        throw os::makeError(os::err::DeviceUnavailable);
    select(index);
}

void DriveModel::select(int index)
{
    if (index < 0 || index >= static_cast<int>(drives_.size()))
        throw os::AppError(380, "Invalid property value");
    if (index == index_)
        return;
    index_ = index;
    ++revision_;
    if (onChange)
        onChange();
}

void DriveModel::reload()
{
    const std::string selected = drive();
    std::vector<std::string> drives = os::machineDrives();
    int index = -1;
    // At first the list shows the drive of the process's current folder; afterwards the drive selected.
    std::string wantedDrive = selected;
    if (wantedDrive.empty()) {
        try {
            wantedDrive = os::currentFolder();
        } catch (const os::AppError&) {
            // No current folder to go by (it was removed): the first drive will do.
        }
    }
    const char wanted = wantedDrive.empty() ? '\0' : os::lowerAscii(wantedDrive[0]);
    for (std::size_t i = 0; i < drives.size() && index < 0; ++i) {
        if (os::lowerAscii(drives[i][0]) == wanted)
            index = int(i);
    }
    // A selected drive that went away stays listed and selected: the selection only moves when someone moves it,
    // and choosing it again reports that it is unavailable.
    if (index < 0 && !selected.empty()) {
        index = 0;
        while (index < int(drives.size()) && os::lowerAscii(drives[std::size_t(index)][0]) < wanted)
            ++index;
        drives.insert(drives.begin() + index, selected);
    }
    if (index < 0 && !drives.empty())
        index = 0;
    if (drives != drives_ || index != index_) {
        drives_ = std::move(drives);
        index_ = index;
        ++revision_;
    }
}

int DriveModel::indexOf(const std::string& drive) const
{
    if (drive.empty())
        return -1;
    const char wanted = os::lowerAscii(drive[0]);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (os::lowerAscii(drives_[i][0]) == wanted)
            return int(i);
    }
    return -1;
}

} // namespace vantrel::browse
