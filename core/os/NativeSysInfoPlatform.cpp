#include "os/NativeSysInfoPlatform.h"

#include "os/FileSearch.h"

#ifdef _WIN32
#include "os/LateBinding.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include <vector>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vantrel::os {

NativeSysInfoPlatform& NativeSysInfoPlatform::instance()
{
    static NativeSysInfoPlatform platform;
    return platform;
}

#ifdef _WIN32

namespace {

using RegOpenKeyExAProc = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExAProc = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyProc = LONG(WINAPI*)(HKEY);

struct RegistryFunctions
{
    RegOpenKeyExAProc open = nullptr;
    RegQueryValueExAProc query = nullptr;
    RegCloseKeyProc close = nullptr;
};

// The program does not import the registry functions: it binds them by name the first time the
// About dialog asks, and keeps advapi32.dll loaded for the rest of the run.
const RegistryFunctions& registry()
{
    static const RegistryFunctions functions{os::lateBound<RegOpenKeyExAProc>(L"advapi32.dll", "RegOpenKeyExA"),
                                             os::lateBound<RegQueryValueExAProc>(L"advapi32.dll", "RegQueryValueExA"),
                                             os::lateBound<RegCloseKeyProc>(L"advapi32.dll", "RegCloseKey")};
    return functions;
}

// The predefined keys are 32-bit values that Windows sign-extends to pointer width
// (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 on 64-bit Windows).
HKEY predefinedKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<std::int32_t>(root)));
}

} // namespace

std::int32_t NativeSysInfoPlatform::openKey(std::uint32_t root, const std::string& keyPath, std::uint32_t access,
                                            RegistryHandle& key)
{
    key = 0;
    const RegistryFunctions& f = registry();
    if (!f.open)
        return ERROR_PROC_NOT_FOUND;
    HKEY opened = nullptr;
    const LONG status = f.open(predefinedKey(root), keyPath.c_str(), 0, static_cast<REGSAM>(access), &opened);
    if (status == ERROR_SUCCESS)
        key = reinterpret_cast<RegistryHandle>(opened);
    return status;
}

std::int32_t NativeSysInfoPlatform::queryValue(RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                                               unsigned char* buffer, std::uint32_t& size)
{
    const RegistryFunctions& f = registry();
    if (!f.query)
        return ERROR_PROC_NOT_FOUND;
    DWORD valueType = 0;
    DWORD length = size;
    const LONG status = f.query(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType, buffer, &length);
    if (status == ERROR_SUCCESS) {
        type = valueType;
        size = length;
    }
    return status;
}

void NativeSysInfoPlatform::closeKey(RegistryHandle key)
{
    const RegistryFunctions& f = registry();
    if (f.close)
        f.close(reinterpret_cast<HKEY>(key));
}

// The paths come from the registry in the system code page; the file system is asked in UTF-16.
std::string NativeSysInfoPlatform::findFile(const std::string& fullPath)
{
    return os::utf8ToCodePage(os::findOrdinaryFile(os::codePageToUtf8(fullPath)));
}

bool NativeSysInfoPlatform::startProgram(const std::string& path)
{
    if (path.empty())
        return false;
    // Quoted, so that a path with blanks ("C:\Program Files\...") names one program and not the
    // first word of it. CreateProcessW may write into the command line, hence the copy.
    const std::wstring quoted = L"\"" + os::toWide(os::codePageToUtf8(path)) + L"\"";
    std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // Not waiting for the tool: the handles are only released.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

#else // no registry here

namespace {
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorInvalidHandle = 6;
} // namespace

std::int32_t NativeSysInfoPlatform::openKey(std::uint32_t, const std::string&, std::uint32_t, RegistryHandle& key)
{
    key = 0;
    return kErrorFileNotFound;
}

std::int32_t NativeSysInfoPlatform::queryValue(RegistryHandle, const std::string&, std::uint32_t&, unsigned char*,
                                               std::uint32_t&)
{
    return kErrorInvalidHandle;
}

void NativeSysInfoPlatform::closeKey(RegistryHandle) {}

std::string NativeSysInfoPlatform::findFile(const std::string& fullPath)
{
    return os::findOrdinaryFile(fullPath);
}

bool NativeSysInfoPlatform::startProgram(const std::string& path)
{
    if (path.empty())
        return false;
    // The grandchild runs the program, so nobody has to wait for it; a close-on-exec pipe tells
    // whether exec worked: it closes without a word on success and carries errno on failure.
    int report[2];
    if (pipe(report) != 0)
        return false;
    fcntl(report[0], F_SETFD, FD_CLOEXEC);
    fcntl(report[1], F_SETFD, FD_CLOEXEC);
    // Everything the children need is prepared here: after fork only async-signal-safe calls.
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};

    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        close(report[0]);
        const pid_t grandchild = fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                const int error = errno;
                [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof(error));
            }
            _exit(0);
        }
        setsid();
        execv(path.c_str(), argv);
        const int error = errno;
        [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof(error));
        _exit(127);
    }

    close(report[1]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof(error));
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return got == 0;
}

#endif

} // namespace vantrel::os
