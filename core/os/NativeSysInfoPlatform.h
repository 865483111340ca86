#pragma once

#include "os/SysInfoPlatform.h"

namespace vantrel::os {

// The operating system's own registry, file search and program starter. On Windows the registry
// functions of advapi32.dll are bound by name on first use; elsewhere there is no registry, every
// key fails to open, and the lookup ends with the "unavailable" message.
class NativeSysInfoPlatform final : public SysInfoPlatform
{
public:
    static NativeSysInfoPlatform& instance();

    std::int32_t openKey(std::uint32_t root, const std::string& keyPath, std::uint32_t access,
                         RegistryHandle& key) override;
    std::int32_t queryValue(RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* buffer, std::uint32_t& size) override;
    void closeKey(RegistryHandle key) override;
    std::string findFile(const std::string& fullPath) override;
    bool startProgram(const std::string& path) override;
};

} // namespace vantrel::os
