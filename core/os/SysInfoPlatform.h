#pragma once

#include <cstdint>
#include <string>

namespace vantrel::os {

// A registry key handle as the lookup passes it around; 0 is the empty handle.
using RegistryHandle = std::uintptr_t;

// What the System Information lookup needs from the operating system: three registry calls, a
// single-file search and a program starter. The About dialog uses the native one; tests use fakes.
class SysInfoPlatform
{
public:
    virtual ~SysInfoPlatform() = default;

    // Opens `keyPath` (system code page) below the predefined key whose 32-bit handle value is
    // `root` (0x80000002 for HKEY_LOCAL_MACHINE). Returns 0 and sets `key`, or a non-zero failure code.
    virtual std::int32_t openKey(std::uint32_t root, const std::string& keyPath, std::uint32_t access,
                                 RegistryHandle& key) = 0;

    // Reads the value `valueName` into `buffer`, which holds `size` bytes. On success returns 0, sets
    // `type` and sets `size` to the value's length in bytes. Returns a non-zero failure code when the
    // value is missing or does not fit the buffer.
    virtual std::int32_t queryValue(RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                                    unsigned char* buffer, std::uint32_t& size) = 0;

    // Releases a handle from openKey; called with the empty handle too, which must be harmless.
    virtual void closeKey(RegistryHandle key) = 0;

    // Name, as stored in its folder, of the ordinary file (not hidden, not a system file, not a
    // folder) at `fullPath`, or "" when there is none. Paths here are in the system code page, as the
    // registry gives them (the file system's bytes elsewhere).
    virtual std::string findFile(const std::string& fullPath) = 0;

    // Starts the program at `path` in a normal window with the focus and returns at once, without
    // waiting for it. Returns false when the program cannot be started (an empty path included).
    virtual bool startProgram(const std::string& path) = 0;
};

} // namespace vantrel::os
