// The System Information lookup of the About dialog against a registry, file system and program starter in
// memory: how one registry value is read, and in which order the two keys, the search and the start are tried.
#include "os/FakeSysInfoPlatform.h"
#include "os/SysInfo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using vantrel::os::GetKeyValue;
using vantrel::os::kHKeyLocalMachine;
using vantrel::test::FakeSysInfoPlatform;

namespace {

const std::string kKey = "SOFTWARE\\Vantrel Test";

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

} // namespace

TEST(GetKeyValue, ValuesByTypeLengthAndTerminator)
{
    struct Case
    {
        const char* name;
        std::uint32_t type;
        std::string bytes;
        bool read;
        std::string value; // the output afterwards; it starts as "kept"
    };
    const std::vector<Case> cases = {
        {"Terminated", 1, std::string("C:\\Tools\\msinfo32.exe\0", 22), true, "C:\\Tools\\msinfo32.exe"},
        {"Bare", 1, "abc", true, "abc"},
        {"Doubled", 1, std::string("abc\0\0", 5), true, std::string("abc\0", 4)},
        {"Full", 1, std::string(1024, 'x'), true, std::string(1024, 'x')},
        {"FullTerminated", 1, std::string(1023, 'y') + '\0', true, std::string(1023, 'y')},
        {"TooLong", 1, std::string(1025, 'z'), false, ""},
        {"Small", 4, std::string("\x1a\0\0\0", 4), true, "&h0000001A"},
        // Ends in a zero byte: the text rule for terminators must not shorten the number.
        {"Wide", 4, std::string("\x00\x01\x00\x00", 4), true, "&h00000100"},
        {"Large", 4, std::string("\xef\xbe\xad\xde", 4), true, "&hDEADBEEF"},
        {"Expandable", 2, std::string("%ProgramFiles%\\x.exe\0", 21), true, "kept"},
        {"Binary", 3, std::string("\x01\x02", 2), true, "kept"},
    };
    FakeSysInfoPlatform fake;
    for (const Case& c : cases)
        fake.setValue(kKey, c.name, c.type, c.bytes);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string value = "kept";
        EXPECT_EQ(GetKeyValue(fake, kHKeyLocalMachine, kKey, c.name, value), c.read);
        EXPECT_EQ(value, c.value);
    }

    // Each read opens the key with the program's access mask, offers a zeroed 1024-byte buffer and closes
    // exactly the handle it opened.
    ASSERT_EQ(fake.opens.size(), cases.size());
    ASSERT_EQ(fake.closes.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(fake.opens[i].root, 0x80000002u);
        EXPECT_EQ(fake.opens[i].access, 0x2003Fu);
        EXPECT_EQ(fake.queries[i].offeredSize, 1024u);
        EXPECT_TRUE(fake.queries[i].bufferWasZeroed);
        EXPECT_EQ(fake.closes[i], fake.queries[i].key);
    }
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST(GetKeyValue, MissingKeyOrValueReadOnlyRegistryAndEmptyValue)
{
    FakeSysInfoPlatform fake;
    fake.setValue(kKey, "Empty", 1, "");

    std::string value = "old";
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(fake.queries.empty());
    ASSERT_EQ(fake.closes.size(), 1u);
    EXPECT_EQ(fake.closes[0], 0u) << "a failed open closes the empty handle";

    value = "old";
    EXPECT_FALSE(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Missing", value));
    EXPECT_EQ(value, "");
    EXPECT_NE(fake.closes.back(), 0u);

    // A value of zero bytes fails loudly, and the key is still closed.
    EXPECT_THROW(GetKeyValue(fake, kHKeyLocalMachine, kKey, "Empty", value), std::runtime_error);
    EXPECT_EQ(fake.openHandles(), 0);

    // Where write access is refused, the key is opened again for reading only; a missing key is not retried.
    FakeSysInfoPlatform readOnly;
    readOnly.readOnlyRegistry = true;
    readOnly.setValue(kKey, "PATH", 1, "C:\\Tools\\msinfo32.exe");
    EXPECT_TRUE(GetKeyValue(readOnly, kHKeyLocalMachine, kKey, "PATH", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    ASSERT_EQ(readOnly.opens.size(), 2u);
    EXPECT_EQ(readOnly.opens[1].access, 0x20019u);
    EXPECT_FALSE(GetKeyValue(readOnly, kHKeyLocalMachine, "SOFTWARE\\Missing", "PATH", value));
    EXPECT_EQ(readOnly.opens.size(), 3u);
    EXPECT_EQ(readOnly.openHandles(), 0);
}

TEST(StartSysInfoLookup, OrderOfLookupsAndFallbacks)
{
    const std::string pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const std::string tool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    const std::string folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
    const std::string program = folder + kSep + "MSINFO32.ExE";

    {
        SCOPED_TRACE("first key holds the path: the second is never read");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, tool + '\0');
        fake.setValue(folderKey, "MSINFO", 1, "D:\\Elsewhere");
        fake.addStartable(tool);
        EXPECT_TRUE(vantrel::os::startSysInfo(fake));
        const std::vector<std::string> expected = {"open " + pathKey, "query PATH", "close 256", "start " + tool};
        EXPECT_EQ(fake.calls, expected);
    }
    {
        SCOPED_TRACE("only the folder key, tool present");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 1, folder + '\0');
        fake.addFile(program);
        fake.addStartable(program);
        EXPECT_TRUE(vantrel::os::startSysInfo(fake));
        const std::vector<std::string> expected = {"open " + pathKey, "close 0",   "open " + folderKey,
                                                   "query MSINFO",    "close 256", "find " + program,
                                                   "start " + program};
        EXPECT_EQ(fake.calls, expected);
    }
    {
        SCOPED_TRACE("only the folder key, tool missing");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addStartable(program);
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        EXPECT_EQ(fake.searches.size(), 1u);
        EXPECT_TRUE(fake.starts.empty());
    }
    {
        SCOPED_TRACE("folder key holds a number, not a folder");
        FakeSysInfoPlatform fake;
        fake.setValue(folderKey, "MSINFO", 4, std::string("\x01\0\0\0", 4));
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        ASSERT_EQ(fake.searches.size(), 1u);
        EXPECT_EQ(fake.searches[0], "&h00000001" + kSep + "MSINFO32.ExE");
        EXPECT_TRUE(fake.starts.empty());
    }
    {
        SCOPED_TRACE("PATH of another type: lookup succeeds with an empty path, the start fails");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 2, "%CommonProgramFiles%\\msinfo32.exe");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addFile(program);
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        ASSERT_EQ(fake.starts.size(), 1u);
        EXPECT_EQ(fake.starts[0], "");
        EXPECT_EQ(fake.opens.size(), 1u) << "the second key is not tried after a failed start";
    }
    {
        SCOPED_TRACE("PATH names nothing startable");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, "C:\\gone\\msinfo32.exe");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        EXPECT_EQ(fake.starts.size(), 1u);
        EXPECT_EQ(fake.opens.size(), 1u);
    }
    {
        SCOPED_TRACE("zero-byte PATH: the lookup stops at once");
        FakeSysInfoPlatform fake;
        fake.setValue(pathKey, "PATH", 1, "");
        fake.setValue(folderKey, "MSINFO", 1, folder);
        fake.addFile(program);
        fake.addStartable(program);
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        EXPECT_EQ(fake.opens.size(), 1u);
        EXPECT_TRUE(fake.starts.empty());
        EXPECT_EQ(fake.openHandles(), 0);
    }
    {
        SCOPED_TRACE("nothing registered");
        FakeSysInfoPlatform fake;
        EXPECT_FALSE(vantrel::os::startSysInfo(fake));
        EXPECT_EQ(fake.opens.size(), 2u);
        EXPECT_TRUE(fake.searches.empty());
        EXPECT_TRUE(fake.starts.empty());
    }
}
