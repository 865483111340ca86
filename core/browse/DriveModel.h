#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::browse {

// The drive list of the main window's folder browser: the machine's drives (os::machineDrives()) and which one is
// selected. A window draws it; it never looks at the drives itself.
class DriveModel
{
public:
    // Lists the drives and selects the drive of the process's current folder (the first entry where there is none).
    DriveModel();

    // Runs inside setDrive() and select() when the selected drive changes (the drive list's change event).
    std::function<void()> onChange;

    const std::vector<std::string>& drives() const { return drives_; }
    int index() const { return index_; }
    // The selected entry's text ("" when the machine has no drive at all).
    std::string drive() const;
    // Selects the drive named by the first character of `drive` (letter case ignored), looking at the
    // machine's drives again when it is not listed. Throws os::AppError 68 "Device unavailable" when there is no
    // such drive or it cannot be read, leaving the selection unchanged. Runs onChange when the selection moves.
    void setDrive(const std::string& drive);
    // The user picked entry `index` of the list. Runs onChange when the selection moves. Throws os::AppError 380
    // "Invalid property value" for an index outside drives().
    void select(int index);
    // Looks at the machine's drives again (before the list drops down), so that a drive plugged in meanwhile
    // is offered. A selected drive that went away stays listed and selected.
    void reload();
    // Bumps whenever drives() or index() change.
    std::uint64_t revision() const { return revision_; }

private:
    int indexOf(const std::string& drive) const;

    std::vector<std::string> drives_;
    int index_ = -1;
    std::uint64_t revision_ = 0;
};

} // namespace vantrel::browse
