// Read-only and unreadable files and folders, through the real window in a child process. Permission bits do
// not stop root, so when the test runs as root the child runs as the unprivileged user "nobody".
#include "ChildProcess.h"
#include "ReliabilitySupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;

constexpr uid_t kNobody = 65534;

const std::string kPlain = "[fltsim.0]\r\ntitle=Locked\r\n[autopilot]\r\nautopilot_available=1\r\nmax_bank=25\r\n"
                           "[views]\r\neyepoint=-6.8, -0.85, 2.0\r\n";
const std::string kModified = "[fltsim.0]\r\ntitle=Locked\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\n"
                              "autopilot_available=1\r\nmax_bank=25\r\n[views]\r\neyepoint=-6.8, -0.85, 2.0\r\n";

class ReadOnlyTest : public ::testing::Test
{
protected:
    ReadOnlyTest() : scratch_("vantrel-readonly") {}

    void SetUp() override
    {
        aircraft_ = scratch_.path() / "FS9" / "Aircraft";
        writeBytes(scratch_.path() / "FS9" / "fs9.exe", "MZ placeholder");
        current_ = scratch_.path() / "current";
        fs::create_directories(current_);
        writeSettings(current_, aircraft_);
    }

    fs::path add(const std::string& name)
    {
        writeBytes(aircraft_ / name / "aircraft.cfg", kPlain);
        return aircraft_ / name;
    }

    // Runs the driver in mode Remove, as "nobody" when this test runs as root: everything below the scratch
    // folder then belongs to "nobody", the permission bits set afterwards by the test doing the rest.
    DriverReport modify()
    {
        std::vector<std::string> prefix;
        EXPECT_TRUE(geteuid() != 0 || fs::exists("/usr/bin/setpriv")) << "setpriv is needed to run as nobody";
        if (geteuid() == 0) {
            for (const auto& entry : fs::recursive_directory_iterator(scratch_.path()))
                EXPECT_EQ(lchown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
            EXPECT_EQ(chown(scratch_.path().c_str(), kNobody, kNobody), 0);
            prefix = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
        }
        ChildProcess child({VANTREL_RELIABILITY_DRIVER, current_.string(), "remove"}, prefix);
        const std::vector<std::string> lines = child.readAll(120s);
        const int status = child.wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "driver status " << status;
        return parseReport(lines);
    }

    static fs::perms mode(const fs::path& path) { return fs::status(path).permissions(); }

    ScratchFolder scratch_;
    fs::path aircraft_;
    fs::path current_;
};

// A read-only aircraft.cfg is the user's protection: it is refused with a clear box and stays as it was, mode
// included, as it does on Windows; the aircraft before it are done.
TEST_F(ReadOnlyTest, ReadOnlyConfigurationIsRefusedAndKept)
{
    const fs::path first = add("Alpha");
    const fs::path locked = add("Locked");
    const fs::path after = add("Zulu");
    fs::permissions(locked / "aircraft.cfg", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const DriverReport report = modify();
    ASSERT_TRUE(report.done);
    EXPECT_EQ(report.before, (std::vector<std::string>{"Alpha", "Locked", "Zulu"}));
    EXPECT_EQ(report.boxes, std::vector<std::string>{"Append Error|Error 70 Permission denied"});
    EXPECT_EQ(readBytes(first / "aircraft.cfg"), kModified);
    EXPECT_EQ(readBytes(locked / "aircraft.cfg"), kPlain);
    EXPECT_EQ(mode(locked / "aircraft.cfg"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(fs::exists(locked / "aircraftcfg.tmp"));
    EXPECT_FALSE(fs::exists(locked / "aircraftcfg.bak")) << "refused before any file work";
    EXPECT_EQ(readBytes(after / "aircraft.cfg"), kPlain) << "the aircraft after a failure are not processed";
}

// A read-only aircraft folder: no backup or temporary file can be made, so nothing changes and a box says why.
TEST_F(ReadOnlyTest, ReadOnlyFolderChangesNothing)
{
    const fs::path sealed = add("Sealed");
    fs::permissions(sealed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                                | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const DriverReport report = modify();
    ASSERT_TRUE(report.done);
    EXPECT_EQ(report.before, std::vector<std::string>{"Sealed"});
    EXPECT_EQ(report.boxes, std::vector<std::string>{"Append Error|Error 70 Permission denied"});
    EXPECT_EQ(readBytes(sealed / "aircraft.cfg"), kPlain);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sealed))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"aircraft.cfg"});
}

// An aircraft.cfg that cannot be read at all: the scan names it in a box and goes on with the others.
TEST_F(ReadOnlyTest, UnreadableConfigurationIsReportedByTheScan)
{
    add("Alpha");
    const fs::path hidden = add("Hidden");
    fs::permissions(hidden / "aircraft.cfg", fs::perms::none);
    const DriverReport report = modify();
    ASSERT_TRUE(report.done);
    ASSERT_FALSE(report.boxes.empty());
    const std::string expected = "Aircraft Cfg File Error|Error 70 Permission denied\\rOpening "
                                 + (hidden / "aircraft.cfg").string();
    EXPECT_EQ(report.boxes.front(), expected);
    EXPECT_EQ(readBytes(aircraft_ / "Alpha" / "aircraft.cfg"), kModified);
    fs::permissions(hidden / "aircraft.cfg", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readBytes(hidden / "aircraft.cfg"), kPlain);
}

} // namespace
} // namespace vantrel::test
