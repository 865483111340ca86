#pragma once

#include "os/Folders.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::os {

// What the search for a simulator installation at a first start needs from the machine: the registry, folder
// listings, small files, the drives, the environment and a clock. The program uses the native one; tests use fakes.
// Every path and text is UTF-8. No call throws: what cannot be read is simply not there.
class SimulatorSearchPlatform
{
public:
    virtual ~SimulatorSearchPlatform() = default;

    // The text of value `valueName` of key `keyPath` below HKEY_LOCAL_MACHINE, in the registry view of a 32-bit
    // program (where the simulators, 32-bit programs themselves, wrote it). "" when the key or value is missing or
    // holds no text, and wherever there is no registry.
    virtual std::string machineRegistryText(const std::string& keyPath, const std::string& valueName) = 0;

    // The names of the visible sub-folders (links to folders included) or ordinary files of `folder`; none when
    // it cannot be read (missing, a dangling link, a drive that is gone).
    virtual std::vector<std::string> entries(const std::string& folder, os::EntryKind kind) = 0;

    // The bytes of the ordinary file at `path`; "" when it cannot be read or holds more than `limit` bytes.
    virtual std::string readFile(const std::string& path, std::size_t limit) = 0;

    // On Windows the drives that answer at once, local fixed disks ("C:", "D:", in letter order); elsewhere none.
    // Floppies, CDs, removable and network drives are never among them: asking them can take seconds.
    virtual std::vector<std::string> fixedDrives() = 0;

    // The environment variable `name`; "" when it is not set.
    virtual std::string environment(const std::string& name) = 0;

    // A steady clock, in milliseconds.
    virtual std::int64_t milliseconds() = 0;
};

} // namespace vantrel::os
