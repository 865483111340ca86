#include "os/NativeSimulatorSearchPlatform.h"

#include "os/LateBinding.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include <vector>

namespace vantrel::os {

namespace {

// A folder path in a registry value is a few hundred characters at most; anything longer is not one.
constexpr DWORD kLongestValue = 64 * 1024;

} // namespace

std::string NativeSimulatorSearchPlatform::machineRegistryText(const std::string& keyPath, const std::string& valueName)
{
    // Bound by name, like the About dialog's registry functions: vantrel.exe imports nothing from advapi32.dll.
    static const auto regOpen =
        os::lateBound<LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY)>(L"advapi32.dll", "RegOpenKeyExW");
    static const auto regQuery = os::lateBound<LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)>(
        L"advapi32.dll", "RegQueryValueExW");
    static const auto regClose = os::lateBound<LONG(WINAPI*)(HKEY)>(L"advapi32.dll", "RegCloseKey");
    if (!regOpen || !regQuery || !regClose)
        return {};
    HKEY key = nullptr;
    // The 32-bit view whatever this program is built as: the simulators are 32-bit programs and wrote there.
    if (regOpen(HKEY_LOCAL_MACHINE, os::toWide(keyPath).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return {};
    const std::wstring name = os::toWide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    std::wstring text;
    if (regQuery(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size <= kLongestValue) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        if (regQuery(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &got) ==
                ERROR_SUCCESS &&
            got <= size)
            // The stored text need not end in a NUL; the buffer's extra one ends it.
            text.assign(buffer.data(), wcsnlen(buffer.data(), got / sizeof(wchar_t)));
    }
    regClose(key);
    if (type == REG_EXPAND_SZ && !text.empty()) {
        const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
        std::vector<wchar_t> expanded(needed + 1, L'\0');
        if (needed > 0 && ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed) != 0)
            text = expanded.data();
    }
    return os::toUtf8(text);
}

std::vector<std::string> NativeSimulatorSearchPlatform::fixedDrives()
{
    // GetDriveTypeW tells the kind from the system's own table of drives, without touching the medium.
    std::vector<std::string> drives;
    const DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (DWORD(1) << i)))
            continue;
        const wchar_t root[] = {wchar_t(L'A' + i), L':', L'\\', L'\0'};
        const UINT type = ::GetDriveTypeW(root);
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK)
            drives.push_back(std::string{char('A' + i), ':'});
    }
    return drives;
}

std::string NativeSimulatorSearchPlatform::environment(const std::string& name)
{
    const DWORD needed = ::GetEnvironmentVariableW(os::toWide(name).c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::vector<wchar_t> value(needed + 1, L'\0');
    const DWORD got = ::GetEnvironmentVariableW(os::toWide(name).c_str(), value.data(), needed);
    return got == 0 || got >= needed ? std::string() : os::toUtf8(value.data(), got);
}

} // namespace vantrel::os
