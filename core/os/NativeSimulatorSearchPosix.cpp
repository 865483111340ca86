#include "os/NativeSimulatorSearchPlatform.h"

#include <cstdlib>

namespace vantrel::os {

std::string NativeSimulatorSearchPlatform::machineRegistryText(const std::string&, const std::string&)
{
    return {};
}

std::vector<std::string> NativeSimulatorSearchPlatform::fixedDrives()
{
    return {};
}

std::string NativeSimulatorSearchPlatform::environment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

} // namespace vantrel::os
