#include "os/NativeSysInfoPlatform.h"
#include "os/SysInfo.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#ifdef _WIN32
#include "os/Windows.h"
#endif

using vantrel::os::GetKeyValue;
using vantrel::os::kHKeyLocalMachine;
using vantrel::os::NativeSysInfoPlatform;
using vantrel::os::RegistryHandle;

namespace fs = std::filesystem;

namespace {

using vantrel::test::ScratchFolder;

void touch(const fs::path& file)
{
    std::ofstream(file, std::ios::binary) << "MZ";
}

} // namespace

TEST(NativeSysInfo, FileSearchGivesTheStoredNameOfOrdinaryFilesOnly)
{
    NativeSysInfoPlatform& platform = NativeSysInfoPlatform::instance();
    ScratchFolder folder;
    touch(folder.path() / "MSINFO32.EXE");
    fs::create_directory(folder.path() / "Tools");

    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    const std::string base = folder.path().string() + sep;
    EXPECT_EQ(platform.findFile(base + "MSINFO32.EXE"), "MSINFO32.EXE");
    EXPECT_EQ(platform.findFile(base + "Tools"), "") << "a folder is not a program";
    EXPECT_EQ(platform.findFile(base + "missing.exe"), "");
    EXPECT_EQ(platform.findFile(""), "");
#ifdef _WIN32
    // Letter case does not matter to the file system here; the answer is the name as stored.
    EXPECT_EQ(platform.findFile(base + "msinfo32.ExE"), "MSINFO32.EXE");
    touch(folder.path() / "Hidden.exe");
    ASSERT_TRUE(SetFileAttributesA((base + "Hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(platform.findFile(base + "Hidden.exe"), "");
    touch(folder.path() / "System.exe");
    ASSERT_TRUE(SetFileAttributesA((base + "System.exe").c_str(), FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(platform.findFile(base + "System.exe"), "");
#else
    touch(folder.path() / ".hidden");
    EXPECT_EQ(platform.findFile(base + ".hidden"), "");
#endif
}

TEST(NativeSysInfo, StartingAProgramThatIsNotThereFails)
{
    NativeSysInfoPlatform& platform = NativeSysInfoPlatform::instance();
    ScratchFolder folder;
    EXPECT_FALSE(platform.startProgram(""));
    EXPECT_FALSE(platform.startProgram((folder.path() / "no such tool.exe").string()));
}

#ifdef _WIN32

namespace {

constexpr std::uint32_t kHKeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kKeyRead = 0x20019u;

// A key of the test's own below HKEY_CURRENT_USER, written with the registry functions the program
// itself never links, and deleted again afterwards.
class ScratchKey
{
public:
    ScratchKey()
    {
        std::random_device random;
        path_ = "Software\\Vantrel tests\\os-" + std::to_string(random());
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~ScratchKey()
    {
        if (key_)
            RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vantrel tests");
    }
    bool ok() const { return key_ != nullptr; }
    const std::string& path() const { return path_; }
    void set(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
    }

private:
    std::string path_;
    HKEY key_ = nullptr;
};

} // namespace

TEST(NativeSysInfo, RegistryValuesReadThroughTheFunctionsBoundAtRunTime)
{
    ScratchKey scratch;
    ASSERT_TRUE(scratch.ok());
    const std::string folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
    scratch.set("Text", REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1));
    const DWORD number = 0x1A;
    scratch.set("Number", REG_DWORD, &number, sizeof number);
    const std::string expandable = "%ProgramFiles%\\x";
    scratch.set("Expandable", REG_EXPAND_SZ, expandable.c_str(), static_cast<DWORD>(expandable.size() + 1));
    const std::string tooLong(1100, 'x');
    scratch.set("TooLong", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));

    NativeSysInfoPlatform& platform = NativeSysInfoPlatform::instance();
    std::string value = "old";
    EXPECT_TRUE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path(), "Text", value));
    EXPECT_EQ(value, folder);
    EXPECT_TRUE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path(), "Number", value));
    EXPECT_EQ(value, "&h0000001A");
    value = "kept";
    EXPECT_TRUE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path(), "Expandable", value));
    EXPECT_EQ(value, "kept");
    EXPECT_FALSE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path(), "TooLong", value));
    EXPECT_EQ(value, "");
    value = "old";
    EXPECT_FALSE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path(), "Missing", value));
    EXPECT_EQ(value, "");
    value = "old";
    EXPECT_FALSE(GetKeyValue(platform, kHKeyCurrentUser, scratch.path() + "\\Missing", "Text", value));
    EXPECT_EQ(value, "");
}

TEST(NativeSysInfo, PredefinedKeysAreSignExtendedToPointerWidth)
{
    // HKEY_LOCAL_MACHINE passes as the 32-bit value 0x80000002; opened read-only, as any user may.
    NativeSysInfoPlatform& platform = NativeSysInfoPlatform::instance();
    RegistryHandle key = 0;
    ASSERT_EQ(platform.openKey(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", kKeyRead, key), 0);
    EXPECT_NE(key, 0u);
    unsigned char buffer[1024] = {};
    std::uint32_t size = sizeof buffer;
    std::uint32_t type = 0;
    EXPECT_EQ(platform.queryValue(key, "SystemRoot", type, buffer, size), 0);
    EXPECT_EQ(type, vantrel::os::kRegistryString);
    EXPECT_GT(size, 3u);
    EXPECT_EQ(buffer[1], ':') << "a drive letter and a colon";
    // A buffer too small for the value is a failure, not a cut value.
    size = 2;
    EXPECT_NE(platform.queryValue(key, "SystemRoot", type, buffer, size), 0);
    platform.closeKey(key);
    platform.closeKey(0);
}

#else

TEST(NativeSysInfo, WithoutARegistryTheLookupEndsAsUnavailable)
{
    NativeSysInfoPlatform& platform = NativeSysInfoPlatform::instance();
    RegistryHandle key = 1;
    EXPECT_NE(platform.openKey(kHKeyLocalMachine, vantrel::os::kSysInfoPathKey, vantrel::os::kSysInfoKeyAccess, key), 0);
    EXPECT_EQ(key, 0u);
    std::string value = "old";
    EXPECT_FALSE(GetKeyValue(platform, kHKeyLocalMachine, vantrel::os::kSysInfoPathKey, vantrel::os::kSysInfoPathValue, value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(vantrel::os::startSysInfo(platform));
}

#endif
