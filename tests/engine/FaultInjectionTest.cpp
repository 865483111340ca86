#include "engine/Rewriter.h"
#include "os/AppError.h"
#include "os/SystemErrors.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using vantrel::os::AppError;
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

bool isPrefixOf(const std::string& piece, const std::string& whole)
{
    return piece.size() <= whole.size() && whole.compare(0, piece.size(), piece) == 0;
}

// Where the configuration lives.
enum class Setting
{
    Plain,  // aircraft.cfg is the file
    Linked, // aircraft.cfg is a symbolic link to a file in another folder (as several aircraft may share one)
    Locked, // aircraft.cfg is held open by another program while the rewrite runs (on Windows: read sharing only)
};

struct Scenario
{
    Mode mode;
    std::optional<std::string> backup; // the backup before the rewrite, if any
    bool crash;                        // every call from the k-th on fails (no clean-up possible)
    Stored how = Stored::Bytes;        // how aircraft.cfg stores its text
    Setting setting = Setting::Plain;
};

// One aircraft's folder as a scenario lays it out.
struct Layout
{
    explicit Layout(const TempDir& dir, Setting setting)
        : aircraft(setting == Setting::Linked ? dir.path() / "Plane" : dir.path()),
          config(setting == Setting::Linked ? dir.path() / "Shared" / "shared.cfg" : aircraft / "aircraft.cfg"),
          bak(aircraft / "aircraftcfg.bak")
    {
        if (setting == Setting::Linked) {
            std::filesystem::create_directories(aircraft);
            std::filesystem::create_directories(config.parent_path());
        }
    }

    // The folders whose files the rewrite may touch.
    std::vector<std::filesystem::path> folders() const
    {
        if (config.parent_path() == aircraft)
            return {aircraft};
        return {aircraft, config.parent_path()};
    }

    std::filesystem::path aircraft; // the aircraft's folder, which holds aircraft.cfg and the backup
    std::filesystem::path config;   // the file that holds the configuration
    std::filesystem::path bak;
};

// No name shares its file with another: the backup and every temporary or kept file is a file of its own, and the
// configuration has its one name (a symbolic link to it is no second name of the file).
void expectNoSecondNames(const Layout& at, const std::string& when)
{
    for (const auto& folder : at.folders()) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_symlink() || !entry.is_regular_file())
                continue;
            EXPECT_EQ(linkCount(entry.path()), 1u)
                << when << ": " << entry.path().filename().string() << " shares its file with another name";
        }
    }
}

void runScenario(const Scenario& s)
{
    const std::string text = sampleConfiguration(s.mode);
    const std::string old = stored(s.how, text);
    const std::string fresh = expectedAfter(s.mode, s.how, text);
    const std::error_code errors[] = {std::make_error_code(std::errc::io_error),
                                      std::make_error_code(std::errc::no_space_on_device),
                                      std::make_error_code(std::errc::permission_denied)};
    std::optional<FileHolder> holder;
    if (s.setting == Setting::Locked)
        holder.emplace();
    bool ranOut = false;
    for (int k = 1; k < 500 && !ranOut; ++k) {
        SCOPED_TRACE("k = " + std::to_string(k));
        TempDir dir;
        const Layout at(dir, s.setting);
        const auto cfg = at.aircraft / "aircraft.cfg";
        writeBytes(at.config, old);
        if (s.setting == Setting::Linked)
            std::filesystem::create_symlink(std::filesystem::path("..") / "Shared" / "shared.cfg", cfg);
        if (s.backup)
            writeBytes(at.bak, *s.backup);

        const std::error_code error = errors[k % 3];
        FaultyFileOps ops(k, error, s.crash);
        bool done = false; // the rewrite ran to its end and replaced the configuration
        if (holder)
            holder->hold(at.config);
        try {
            rewriteAircraft(at.aircraft.string(), s.mode, fs9Both(), ops);
            ASSERT_FALSE(ops.injected()) << "an injected failure went unreported";
            ranOut = done = true;
        } catch (const AppError& e) {
            // Windows refuses to replace a file that another program holds open: that refusal is reported when no
            // injected failure came first (a failing clean-up after it changes nothing).
            const bool refusedByTheLock = s.setting == Setting::Locked &&
                                          (!ops.injected() || e.number() != vantrel::os::classicErrorNumber(error));
            if (!refusedByTheLock) {
                ASSERT_TRUE(ops.injected()) << e.report();
                EXPECT_EQ(e.number(), vantrel::os::classicErrorNumber(error));
            }
            ranOut = !ops.injected();
        }
        if (holder)
            holder->release();
#ifdef _WIN32
        if (holder && ranOut) {
            EXPECT_FALSE(done) << "a file held open by another program was replaced: the holder held nothing";
        }
#endif
        EXPECT_TRUE(ops.openHandles().empty()) << "a file stayed open";
        EXPECT_FALSE(ops.misused());

        // The configuration is complete, old or new; the backup is as it was, or a complete copy.
        const std::string now = readBytes(at.config);
        ASSERT_TRUE(now == old || now == fresh) << "aircraft.cfg is partial: " << now.size() << " bytes";
        const std::string nowText = now == old ? text : expectedAfter(s.mode, Stored::Bytes, text);
        if (done) {
            ASSERT_EQ(now, fresh);
        }
        if (s.setting == Setting::Linked) {
            EXPECT_TRUE(std::filesystem::is_symlink(cfg)) << "aircraft.cfg is no longer a link";
        }
        const auto backupNow = readIfThere(at.bak);
        const bool refreshable = !s.backup || s.backup->size() <= 100;
        if (backupNow != s.backup) {
            ASSERT_TRUE(refreshable) << "a large backup was touched";
            ASSERT_EQ(backupNow, std::optional<std::string>(old)) << "the backup is partial or wrong";
        }
        if (done && refreshable) {
            EXPECT_EQ(backupNow, std::optional<std::string>(old));
        }
        if (done) {
            EXPECT_EQ(listFolder(at.aircraft), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
        }
        // Whatever failed, and wherever the run stopped (a crash tidies nothing up), no backup or temporary name is
        // a second name of the configuration: an edit of aircraft.cfg in place leaves them all as they are.
        expectNoSecondNames(at, "after the failure");
        if (backupNow) {
            {
                std::ofstream inPlace(at.config, std::ios::binary | std::ios::app);
                inPlace << "edited=1\r\n";
            }
            EXPECT_EQ(readIfThere(at.bak), backupNow) << "aircraftcfg.bak shares its file with aircraft.cfg";
            writeBytes(at.config, now);
        }

        // Nothing is lost and the next rewrite succeeds, whatever was left behind: a leftover is kept under a
        // numbered name, a piece of the new content (aircraftcfg.tmp.N) or of the backup's copy (aircraftcfg.bak.tmp.N).
        rewriteAircraft(at.aircraft.string(), s.mode, fs9Both());
        EXPECT_EQ(readBytes(at.config), expectedAfter(s.mode, s.how, nowText));
        const auto backupAfter = readIfThere(at.bak);
        ASSERT_TRUE(backupAfter.has_value());
        if (!backupNow || backupNow->size() <= 100)
            EXPECT_EQ(*backupAfter, now);
        else
            EXPECT_EQ(*backupAfter, *backupNow);
        for (const auto& folder : at.folders()) {
            for (const std::string& name : listFolder(folder)) {
                const auto path = folder / name;
                if (path == cfg || path == at.config || path == at.bak)
                    continue;
                if (name.rfind("aircraftcfg.tmp.", 0) == 0) {
                    EXPECT_TRUE(isPrefixOf(readBytes(path), fresh)) << name << " is not a piece of the new content";
                } else if (name.rfind("aircraftcfg.bak.tmp.", 0) == 0) {
                    EXPECT_TRUE(isPrefixOf(readBytes(path), old)) << name << " is not a piece of the old content";
                } else {
                    ADD_FAILURE() << "left behind: " << name;
                }
            }
        }
        expectNoSecondNames(at, "after the next rewrite");
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
    runScenario({Mode::Remove, std::nullopt, false, Stored::Utf16LE});
    runScenario({Mode::Restore, std::string(40, 's'), true, Stored::Utf16BE});
}

// aircraft.cfg a symbolic link to a file that several aircraft share: whatever fails, the backup never becomes one
// more name of the shared file.
TEST(FaultInjection, LinkedConfigurationSurvivesAFailureAtEveryCall)
{
#ifdef _WIN32
    GTEST_SKIP() << "no symbolic links here (Wine makes none)";
#else
    runScenario({Mode::Remove, std::nullopt, false, Stored::Bytes, Setting::Linked});
    runScenario({Mode::Remove, std::nullopt, true, Stored::Bytes, Setting::Linked});
    runScenario({Mode::Restore, std::string(40, 's'), true, Stored::Bytes, Setting::Linked});
#endif
}

// aircraft.cfg held open by another program: on Windows its replacement is refused at the end, and neither the
// backup nor a temporary file may stay behind as a second name of it.
TEST(FaultInjection, LockedConfigurationSurvivesAFailureAtEveryCall)
{
    runScenario({Mode::Remove, std::nullopt, false, Stored::Bytes, Setting::Locked});
    runScenario({Mode::Remove, std::nullopt, true, Stored::Bytes, Setting::Locked});
    runScenario({Mode::Restore, std::string(100, 's'), false, Stored::Bytes, Setting::Locked});
}
