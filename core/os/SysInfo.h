#pragma once

#include "os/SysInfoPlatform.h"

#include <cstdint>
#include <string>

namespace vantrel::os {

constexpr std::uint32_t kHKeyLocalMachine = 0x80000002u;
// Query value, set value, create sub-key, enumerate sub-keys, notify, create link and read control.
constexpr std::uint32_t kSysInfoKeyAccess = 0x2003Fu;
// Read-only access (KEY_READ), tried when the key refuses kSysInfoKeyAccess to a user without
// administrator rights: the lookup only reads.
constexpr std::uint32_t kSysInfoReadAccess = 0x20019u;
constexpr std::int32_t kRegistryAccessDenied = 5;
constexpr std::uint32_t kRegistryValueBufferSize = 1024;
constexpr std::uint32_t kRegistryString = 1;
constexpr std::uint32_t kRegistryNumber = 4;

// Where the System Information tool is registered: its full path, or else the folder that holds it.
constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoPathValue = "PATH";
constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoFolderValue = "MSINFO";
constexpr const char* kSysInfoProgram = "MSINFO32.ExE";

// Reads value `SubKeyRef` of key `KeyName` below the root `KeyRoot` into `KeyVal`. Returns false, with
// `KeyVal` emptied, when the key will not open or the value is missing or longer than 1024 bytes. Text
// (type 1) loses one trailing NUL; a 32-bit number (type 4) becomes "&h" and its eight hexadecimal
// digits, most significant first ("&h0000001A"); any other type leaves `KeyVal` as it was, and the
// result is true. Throws std::runtime_error for a value of zero bytes. The key is always closed.
bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Finds the System Information tool in the registry and starts it. Returns false when the user must
// be told that it is unavailable: nothing registered, the tool missing from the registered folder,
// a value that cannot be read, or a program that does not start.
bool startSysInfo(SysInfoPlatform& platform);

} // namespace vantrel::os
