#pragma once

#include "os/SimulatorSearchPlatform.h"

namespace vantrel::os {

// The machine itself. On Windows the registry functions of advapi32.dll are bound by name on first use (the
// program imports nothing from it); elsewhere there is no registry and no drive letters.
class NativeSimulatorSearchPlatform : public SimulatorSearchPlatform
{
public:
    static NativeSimulatorSearchPlatform& instance();

    std::string machineRegistryText(const std::string& keyPath, const std::string& valueName) override;
    std::vector<std::string> entries(const std::string& folder, os::EntryKind kind) override;
    std::string readFile(const std::string& path, std::size_t limit) override;
    std::vector<std::string> fixedDrives() override;
    std::string environment(const std::string& name) override;
    std::int64_t milliseconds() override;
};

} // namespace vantrel::os
