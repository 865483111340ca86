#include "dialogs/FakeSysInfoPlatform.h"
#include "os/NativeSysInfoPlatform.h"
#include "os/SysInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

using vantrel::GetKeyValue;
using vantrel::kHKeyLocalMachine;
using vantrel::test::FakeSysInfoPlatform;

namespace {

const std::string kKey = "SOFTWARE\\Vantrel Test";

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

} // namespace

TEST(GetKeyValue, ReadsTextDroppingOneTrailingTerminator)
{
    FakeSysInfoPlatform fake;
    fake.setValue(kKey, "Terminated", 1, std::string("C:\\Tools\\msinfo32.exe\0", 22));
    fake.setValue(kKey, "Bare", 1, "abc");
    fake.setValue(kKey, "Doubled", 1, std::string("abc\0\0", 5));

    std::string value = "old";
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Terminated", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Bare", value));
    EXPECT_EQ(value, "abc");
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Doubled", value));
    EXPECT_EQ(value, std::string("abc\0", 4));

    // Each read opens the key with the program's access mask, offers a zeroed 1024-byte buffer and
    // closes exactly the handle it opened.
    ASSERT_EQ(fake.opens.size(), 3u);
    for (const auto& open : fake.opens) {
        EXPECT_EQ(open.root, 0x80000002u);
        EXPECT_EQ(open.keyPath, kKey);
        EXPECT_EQ(open.access, 0x2003Fu);
    }
    ASSERT_EQ(fake.queries.size(), 3u);
    for (const auto& query : fake.queries) {
        EXPECT_EQ(query.offeredSize, 1024u);
        EXPECT_TRUE(query.bufferWasZeroed);
    }
    ASSERT_EQ(fake.closes.size(), 3u);
    EXPECT_EQ(fake.closes[0], fake.queries[0].key);
    EXPECT_NE(fake.closes[0], 0u);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST(GetKeyValue, ReadsWithReadAccessWhenWritingIsRefused)
{
    FakeSysInfoPlatform fake;
    fake.readOnlyRegistry = true;
    fake.setValue(kKey, "PATH", 1, "C:\\Tools\\msinfo32.exe");
    std::string value;
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "PATH", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    ASSERT_EQ(fake.opens.size(), 2u);
    EXPECT_EQ(fake.opens[0].access, 0x2003Fu);
    EXPECT_EQ(fake.opens[1].access, 0x20019u);
    EXPECT_EQ(fake.openHandles(), 0);

    // A missing key is not retried.
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, "SOFTWARE\\Missing", "PATH", value));
    EXPECT_EQ(fake.opens.size(), 3u);
}

TEST(GetKeyValue, BufferLimitIs1024Bytes)
{
    FakeSysInfoPlatform fake;
    fake.setValue(kKey, "Full", 1, std::string(1024, 'x'));
    fake.setValue(kKey, "FullTerminated", 1, std::string(1023, 'y') + std::string(1, '\0'));
    fake.setValue(kKey, "TooLong", 1, std::string(1025, 'z'));

    std::string value;
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Full", value));
    EXPECT_EQ(value, std::string(1024, 'x'));
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "FullTerminated", value));
    EXPECT_EQ(value, std::string(1023, 'y'));

    value = "old";
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "TooLong", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(fake.closes.size(), 3u);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST(GetKeyValue, MissingKeyOrValueEmptiesTheOutputAndStillCloses)
{
    FakeSysInfoPlatform fake;
    fake.addKey(kKey);

    std::string value = "old";
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(fake.queries.empty());
    ASSERT_EQ(fake.closes.size(), 1u);
    EXPECT_EQ(fake.closes[0], 0u) << "a failed open closes the empty handle";

    value = "old";
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Missing", value));
    EXPECT_EQ(value, "");
    ASSERT_EQ(fake.closes.size(), 2u);
    EXPECT_NE(fake.closes[1], 0u);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST(GetKeyValue, NumbersBecomeHexAndOtherTypesLeaveTheOutputAlone)
{
    FakeSysInfoPlatform fake;
    fake.setValue(kKey, "Small", 4, std::string("\x1a\0\0\0", 4));
    // Ends in a zero byte: the text rule for terminators must not shorten the number.
    fake.setValue(kKey, "Wide", 4, std::string("\x00\x01\x00\x00", 4));
    fake.setValue(kKey, "Large", 4, std::string("\xef\xbe\xad\xde", 4));
    fake.setValue(kKey, "Expandable", 2, std::string("%ProgramFiles%\\x.exe\0", 21));
    fake.setValue(kKey, "Binary", 3, std::string("\x01\x02", 2));

    std::string value;
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Small", value));
    EXPECT_EQ(value, "&h0000001A");
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Wide", value));
    EXPECT_EQ(value, "&h00000100");
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Large", value));
    EXPECT_EQ(value, "&hDEADBEEF");

    value = "kept";
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Expandable", value));
    EXPECT_EQ(value, "kept");
    EXPECT_TRUE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Binary", value));
    EXPECT_EQ(value, "kept");
}

TEST(GetKeyValue, EmptyValueFailsLoudlyAndClosesTheKey)
{
    FakeSysInfoPlatform fake;
    fake.setValue(kKey, "Empty", 1, "");
    std::string value = "old";
    EXPECT_THROW(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Empty", value), std::runtime_error);
    ASSERT_EQ(fake.closes.size(), 1u);
    EXPECT_NE(fake.closes[0], 0u);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST(StartSysInfoLookup, OrderOfLookupsAndFallbacks)
{
    const std::string pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const std::string tool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    const std::string folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

    {
        SCOPED_TRACE("first key holds the path: the second is never read");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, tool + '\0');
        fake.setValue(folderKey, "MSINFO", 1, "D:\\Elsewhere");
        fake.addStartable(tool);
        EXPECT_TRUE(vantrel::startSysInfo(fake));
        const std::vector<std::string> expected = {"open " + pathKey, "query PATH", "close 256", "start " + tool};
        EXPECT_EQ(fake.calls, expected);
    }
    {
        SCOPED_TRACE("only the folder key, tool present");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 1, folder + '\0');
        const std::string program = folder + kSep + "MSINFO32.ExE";
        fake.addFile(program);
        fake.addStartable(program);
        EXPECT_TRUE(vantrel::startSysInfo(fake));
        const std::vector<std::string> expected = {"open " + pathKey, "close 0",   "open " + folderKey,
                                                   "query MSINFO",    "close 256", "find " + program,
                                                   "start " + program};
        EXPECT_EQ(fake.calls, expected);
    }
    {
        SCOPED_TRACE("only the folder key, tool missing");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addStartable(folder + kSep + "MSINFO32.ExE");
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        EXPECT_EQ(fake.searches.size(), 1u);
        EXPECT_TRUE(fake.starts.empty());
    }
    {
        SCOPED_TRACE("folder key holds a number, not a folder");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 4, std::string("\x01\0\0\0", 4));
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        ASSERT_EQ(fake.searches.size(), 1u);
        EXPECT_EQ(fake.searches[0], "&h00000001" + kSep + "MSINFO32.ExE");
        EXPECT_TRUE(fake.starts.empty());
    }
    {
        SCOPED_TRACE("PATH of another type: lookup succeeds with an empty path, the start fails");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 2, "%CommonProgramFiles%\\msinfo32.exe");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addFile(folder + kSep + "MSINFO32.ExE");
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        ASSERT_EQ(fake.starts.size(), 1u);
        EXPECT_EQ(fake.starts[0], "");
        EXPECT_EQ(fake.opens.size(), 1u) << "the second key is not tried after a failed start";
    }
    {
        SCOPED_TRACE("PATH names nothing startable");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, "C:\\gone\\msinfo32.exe");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        EXPECT_EQ(fake.starts.size(), 1u);
        EXPECT_EQ(fake.opens.size(), 1u);
    }
    {
        SCOPED_TRACE("zero-byte PATH: the lookup stops at once");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, "");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addFile(folder + kSep + "MSINFO32.ExE");
        fake.addStartable(folder + kSep + "MSINFO32.ExE");
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        EXPECT_EQ(fake.opens.size(), 1u);
        EXPECT_TRUE(fake.starts.empty());
        EXPECT_EQ(fake.openHandles(), 0);
    }
    {
        SCOPED_TRACE("nothing registered");
        FakeSysInfoPlatform fake;
        EXPECT_FALSE(vantrel::startSysInfo(fake));
        EXPECT_EQ(fake.opens.size(), 2u);
        EXPECT_TRUE(fake.searches.empty());
        EXPECT_TRUE(fake.starts.empty());
    }
}

#ifndef _WIN32
class NativeSysInfoPlatformTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("vantrel-sysinfo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& content)
    {
        const auto path = m_dir / name;
        std::ofstream(path) << content;
        return path.string();
    }

    std::filesystem::path m_dir;
};

TEST_F(NativeSysInfoPlatformTest, HasNoRegistryHere)
{
    auto& native = vantrel::NativeSysInfoPlatform::instance();
    vantrel::RegistryHandle key = 99;
    EXPECT_NE(native.openKey(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0x2003F, key), 0);
    EXPECT_EQ(key, 0u);
    native.closeKey(0);
    EXPECT_FALSE(vantrel::startSysInfo(native));
}

TEST_F(NativeSysInfoPlatformTest, FindsOrdinaryFilesOnly)
{
    auto& native = vantrel::NativeSysInfoPlatform::instance();
    const std::string file = write("MSINFO32.ExE", "x");
    const std::string hidden = write(".MSINFO32.ExE", "x");
    std::filesystem::create_directory(m_dir / "folder");

    EXPECT_EQ(native.findFile(file), "MSINFO32.ExE");
    EXPECT_EQ(native.findFile(hidden), "");
    EXPECT_EQ(native.findFile((m_dir / "folder").string()), "");
    EXPECT_EQ(native.findFile((m_dir / "missing.exe").string()), "");
    EXPECT_EQ(native.findFile(""), "");
}

TEST_F(NativeSysInfoPlatformTest, StartsProgramsWithoutWaitingAndReportsFailures)
{
    auto& native = vantrel::NativeSysInfoPlatform::instance();
    // The started program leaves a mark, which proves it ran rather than merely that fork worked.
    const std::string mark = (m_dir / "ran").string();
    const std::string script = write("tool.sh", "#!/bin/sh\ntouch '" + mark + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    EXPECT_TRUE(native.startProgram(script));
    for (int i = 0; i < 500 && !std::filesystem::exists(mark); ++i)
        ::usleep(10000);
    EXPECT_TRUE(std::filesystem::exists(mark));

    const std::string notExecutable = write("plain.txt", "text");
    EXPECT_FALSE(native.startProgram(notExecutable));
    EXPECT_FALSE(native.startProgram((m_dir / "missing").string()));
    EXPECT_FALSE(native.startProgram(m_dir.string()));
    EXPECT_FALSE(native.startProgram(""));
}
#endif
