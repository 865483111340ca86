#include "engine/Rewriter.h"
#include "os/AppError.h"
#include "os/SystemErrors.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using vantrel::AppError;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;

namespace {

// Large enough for several reads and writes per pass, with a line longer than the buffer (kept by Restore,
// so it is read twice) and, for Restore, ones that it drops (Remove leaves a file with them as it is).
std::string sampleConfiguration(Mode mode)
{
    const std::string word = mode == Mode::Restore ? "default_" : "defaults_";
    std::string bytes = "[fltsim.0]\r\ntitle=Sample\r\n[autopilot]\r\nautopilot_available=1\r\n";
    bytes += "use_no_" + word + "bank=1\r\n";
    for (int i = 0; i < 3000; ++i)
        bytes += "key" + std::to_string(i) + "=value\n";
    bytes += std::string(100000, 'L') + "\r\n";
    bytes += std::string(70000, 'M') + word + "Pitch\r\n";
    bytes += "[AUTOPILOT]\r\nlast=1";
    return bytes;
}

InsertChoice fs9Both()
{
    return InsertChoice{[] { return true; }, [] { return true; }, [] { return std::string("fs9.exe"); }};
}

enum class Stored { Bytes, Utf16LE, Utf16BE };

std::string stored(Stored how, const std::string& bytes)
{
    return how == Stored::Bytes ? bytes : toUtf16(bytes, how == Stored::Utf16BE);
}

// What the rewrite makes of the 8-bit text `bytes`, stored as `how`.
std::string expectedAfter(Mode mode, Stored how, const std::string& bytes)
{
    return stored(how, mode == Mode::Remove ? modelRemove(bytes, true, true, true) : modelRestore(bytes));
}

std::optional<std::string> readIfThere(const std::filesystem::path& path)
{
    if (!fileExists(path))
        return std::nullopt;
    return readBytes(path);
}

struct Scenario
{
    Mode mode;
    std::optional<std::string> backup; // the backup before the rewrite, if any
    bool crash;                        // every call from the k-th on fails (no clean-up possible)
    bool links = true;                 // the file system offers hard links (else the backup is copied)
    Stored how = Stored::Bytes;        // how aircraft.cfg stores its text
};

void runScenario(const Scenario& s)
{
    const std::string text = sampleConfiguration(s.mode);
    const std::string old = stored(s.how, text);
    const std::string fresh = expectedAfter(s.mode, s.how, text);
    const std::error_code errors[] = {std::make_error_code(std::errc::io_error),
                                      std::make_error_code(std::errc::no_space_on_device),
                                      std::make_error_code(std::errc::permission_denied)};
    bool ranOut = false;
    for (int k = 1; k < 500 && !ranOut; ++k) {
        SCOPED_TRACE("k = " + std::to_string(k));
        TempDir dir;
        const auto cfg = dir.path() / "aircraft.cfg";
        const auto bak = dir.path() / "aircraftcfg.bak";
        writeBytes(cfg, old);
        if (s.backup)
            writeBytes(bak, *s.backup);

        const std::error_code error = errors[k % 3];
        FaultyFileOps ops(k, error, s.crash);
        ops.setLinksAllowed(s.links);
        try {
            rewriteAircraft(dir.str(), s.mode, fs9Both(), ops);
            ASSERT_FALSE(ops.injected()) << "an injected failure went unreported";
            ranOut = true;
        } catch (const AppError& e) {
            ASSERT_TRUE(ops.injected()) << e.report();
            EXPECT_EQ(e.number(), vantrel::os::classicErrorNumber(error));
        }
        EXPECT_TRUE(ops.openHandles().empty()) << "a file stayed open";
        EXPECT_FALSE(ops.misused());

        // The configuration is complete, old or new; the backup is as it was, or a complete copy.
        const std::string now = readBytes(cfg);
        ASSERT_TRUE(now == old || now == fresh) << "aircraft.cfg is partial: " << now.size() << " bytes";
        const std::string nowText = now == old ? text : expectedAfter(s.mode, Stored::Bytes, text);
        if (ranOut) {
            ASSERT_EQ(now, fresh);
        }
        const auto backupNow = readIfThere(bak);
        const bool refreshable = !s.backup || s.backup->size() <= 100;
        if (backupNow != s.backup) {
            ASSERT_TRUE(refreshable) << "a large backup was touched";
            ASSERT_EQ(backupNow, std::optional<std::string>(old)) << "the backup is partial or wrong";
        }
        if (ranOut && refreshable) {
            EXPECT_EQ(backupNow, std::optional<std::string>(old));
        }
        if (ranOut) {
            EXPECT_EQ(listFolder(dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
        }
        // The backup is a file of its own, not a second name of aircraft.cfg left over from the failed rewrite:
        // an edit of aircraft.cfg in place leaves it as it is. (After a crash nothing can be tidied up.)
        if (backupNow && !s.crash) {
            {
                std::ofstream inPlace(cfg, std::ios::binary | std::ios::app);
                inPlace << "edited=1\r\n";
            }
            EXPECT_EQ(readIfThere(bak), backupNow) << "aircraftcfg.bak shares its file with aircraft.cfg";
            writeBytes(cfg, now);
        }

        // Nothing is lost and the next rewrite succeeds, whatever was left behind.
        rewriteAircraft(dir.str(), s.mode, fs9Both());
        EXPECT_EQ(readBytes(cfg), expectedAfter(s.mode, s.how, nowText));
        const auto backupAfter = readIfThere(bak);
        ASSERT_TRUE(backupAfter.has_value());
        if (!backupNow || backupNow->size() <= 100)
            EXPECT_EQ(*backupAfter, now);
        else
            EXPECT_EQ(*backupAfter, *backupNow);
        EXPECT_FALSE(fileExists(dir.path() / "aircraftcfg.tmp"));
    }
    EXPECT_TRUE(ranOut) << "the rewrite never ran to its end";
}

} // namespace

TEST(FaultInjection, RemoveSurvivesAFailureAtEveryCall)
{
    runScenario({Mode::Remove, std::nullopt, false});
    runScenario({Mode::Remove, std::string(100, 's'), false});
    runScenario({Mode::Remove, std::string(101, 'S'), false});
}

TEST(FaultInjection, RestoreSurvivesAFailureAtEveryCall)
{
    runScenario({Mode::Restore, std::nullopt, false});
    runScenario({Mode::Restore, std::string(40, 's'), false});
    runScenario({Mode::Restore, std::string(5000, 'S'), false});
}

TEST(FaultInjection, EveryCallFromOneOnFailingLikeACrashLosesNothing)
{
    runScenario({Mode::Remove, std::nullopt, true});
    runScenario({Mode::Restore, std::string(10, 's'), true});
    runScenario({Mode::Restore, std::string(500, 'S'), true});
}

TEST(FaultInjection, Utf16FileSurvivesAFailureAtEveryCall)
{
    runScenario({Mode::Remove, std::nullopt, false, true, Stored::Utf16LE});
    runScenario({Mode::Restore, std::string(40, 's'), true, false, Stored::Utf16BE});
}

TEST(FaultInjection, CopiedBackupWhereTheFileSystemHasNoLinks)
{
    runScenario({Mode::Remove, std::nullopt, false, false});
    runScenario({Mode::Restore, std::string(100, 's'), false, false});
    runScenario({Mode::Remove, std::nullopt, true, false});
}
