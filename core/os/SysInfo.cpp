#include "os/SysInfo.h"

#include <array>
#include <stdexcept>

namespace vantrel::os {

namespace {

#ifdef _WIN32
constexpr char kNativeSeparator = '\\';
#else
constexpr char kNativeSeparator = '/';
#endif

std::string numberText(const unsigned char* bytes, std::uint32_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "&h";
    // Registry numbers are little-endian: the last byte holds the highest digits.
    for (std::uint32_t i = size; i-- > 0;) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

bool readValue(SysInfoPlatform& platform, RegistryHandle key, const std::string& SubKeyRef, std::string& KeyVal)
{
    std::array<unsigned char, kRegistryValueBufferSize> buffer{};
    std::uint32_t size = kRegistryValueBufferSize;
    std::uint32_t type = 0;
    if (platform.queryValue(key, SubKeyRef, type, buffer.data(), size) != 0 || size > buffer.size()) {
        KeyVal.clear();
        return false;
    }
    // An empty value has no last character to test for the terminator; the caller treats this like
    // any other failure of the lookup.
    if (size == 0)
        throw std::runtime_error("Invalid procedure call or argument: registry value " + SubKeyRef + " is empty");

    // Text stays in the system code page: it only goes back to the system as a path.
    std::string text(reinterpret_cast<const char*>(buffer.data()), size);
    if (text.back() == '\0')
        text.pop_back();

    switch (type) {
    case kRegistryString:
        KeyVal = text;
        break;
    case kRegistryNumber:
        KeyVal = numberText(buffer.data(), size);
        break;
    default:
        // Expandable strings, lists and binary data are not understood; the read still counts.
        break;
    }
    return true;
}

} // namespace

bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    RegistryHandle key = 0;
    bool found = false;
    std::int32_t opened = platform.openKey(KeyRoot, KeyName, kSysInfoKeyAccess, key);
    // The access asked for includes writing, which Windows refuses below HKEY_LOCAL_MACHINE to a user without
    // administrator rights; the tool would then never be found. Reading is all the lookup needs.
    if (opened == kRegistryAccessDenied) {
        key = 0;
        opened = platform.openKey(KeyRoot, KeyName, kSysInfoReadAccess, key);
    }
    if (opened != 0) {
        key = 0;
        KeyVal.clear();
    } else {
        try {
            found = readValue(platform, key, SubKeyRef, KeyVal);
        } catch (...) {
            // The failure belongs to the caller, the handle does not.
            platform.closeKey(key);
            throw;
        }
    }
    platform.closeKey(key);
    return found;
}

bool startSysInfo(SysInfoPlatform& platform)
{
    try {
        std::string path;
        if (!GetKeyValue(platform, kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, path)) {
            if (!GetKeyValue(platform, kHKeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, path))
                return false;
            const std::string program = path + kNativeSeparator + kSysInfoProgram;
            if (platform.findFile(program).empty())
                return false;
            path = program;
        }
        // The registered path is trusted as it stands; a wrong one shows up as a failed start.
        return platform.startProgram(path);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vantrel::os
