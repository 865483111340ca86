// SIGKILL in the middle of Modify, at moments spread over the run, in both modes, on 8-bit and UTF-16 files, some of
// them behind an aircraft.cfg that is a symbolic link: after every kill each aircraft.cfg holds its complete old or
// complete new content, the backup is the original file or absent, no file shares its file with another name (the
// backup is never a second name of aircraft.cfg), and the next Modify in a new process finishes the job and leaves
// no temporary file behind (a kept leftover aircraftcfg.tmp.N or aircraftcfg.bak.tmp.N excepted, which must be a
// piece of one of the two contents). A driver that stops answering (a stuck scan) fails the test within seconds.
#include "ChildProcess.h"
#include "ReliabilitySupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <deque>
#include <iostream>
#include <sys/wait.h>
#include <thread>

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;

constexpr int kAircraft = 300;
constexpr int kKills = 20;
// The longest the driver may say nothing (a whole start-up or Modify takes well under a second): longer, and it is
// stuck, a scan waiting for a result that never comes, say.
constexpr auto kSilence = 20s;

std::string aircraftName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "Plane_%03d", i);
    return name;
}

// Sizes vary from a hundred bytes to some tens of kilobytes, so that kills land inside larger writes too.
std::string plainCfg(int i)
{
    std::uint32_t state = 2654435761u * static_cast<std::uint32_t>(i + 1);
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::size_t target = 1000 + next() % 7000;
    if (i % 10 == 0)
        target = 30000 + next() % 40000;
    else if (i % 10 == 1)
        target = 120 + next() % 200;
    std::string text = "[fltsim.0]\r\ntitle=" + aircraftName(i) + "\r\nsim=plane\r\n[GeneralEngineData]\r\n";
    int key = 0;
    while (text.size() < target / 2)
        text += "k" + std::to_string(key++) + "=" + std::to_string(next()) + "\r\n";
    text += "[autopilot]\r\nautopilot_available=1\r\nflight_director_available=1\r\nmax_bank=25\r\n[views]\r\n";
    while (text.size() < target)
        text += "v" + std::to_string(key++) + "=" + std::to_string(next() % 1000) + ", -0.5\r\n";
    return text;
}

std::string modifiedCfg(const std::string& plain)
{
    const std::string header = "[autopilot]\r\n";
    std::string text = plain;
    text.insert(text.find(header) + header.size(), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n");
    return text;
}

// The same text as saved by an editor as UTF-16 with a byte-order mark (the text is ASCII).
std::string utf16(const std::string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

// Every fiftieth aircraft's aircraft.cfg is a symbolic link to a file in a folder of its own outside the aircraft
// folder, where its new content is written.
bool isLinked(int i)
{
    return i % 50 == 25;
}

enum class Mode { Remove, Restore };

const char* modeName(Mode mode)
{
    return mode == Mode::Remove ? "remove" : "restore";
}

struct RunResult
{
    DriverReport report;
    bool killed = false;
    std::chrono::steady_clock::duration modifyTime{};
};

class KillTest : public ::testing::Test
{
protected:
    // A kill ends the process, not the machine: what the next process sees is the same in memory-backed
    // storage, where the many flushes to disk cost nothing and the test stays quick.
    KillTest() : scratch_("vantrel-kill", quickStorage()) {}

    static fs::path quickStorage()
    {
        std::error_code ec;
        const fs::space_info space = fs::space("/dev/shm", ec);
        return !ec && space.available > (256u << 20) ? fs::path("/dev/shm") : fs::path();
    }

    void SetUp() override
    {
        aircraftFolder_ = scratch_.path() / "FS9" / "Aircraft";
        writeBytes(scratch_.path() / "FS9" / "fs9.exe", "MZ placeholder");
        for (int i = 0; i < kAircraft; ++i) {
            const std::string plain = plainCfg(i);
            // Every twentieth aircraft is stored as UTF-16, in either byte order.
            if (i % 20 == 7 || i % 20 == 17) {
                plain_.push_back(utf16(plain, i % 20 == 17));
                modified_.push_back(utf16(modifiedCfg(plain), i % 20 == 17));
            } else {
                plain_.push_back(plain);
                modified_.push_back(modifiedCfg(plain));
            }
            if (isLinked(i)) {
                writeBytes(sharedFolder(i) / "aircraft.cfg", plain_.back());
                fs::create_directories(folder(i));
                fs::create_symlink(fs::path("..") / ".." / "Shared" / aircraftName(i) / "aircraft.cfg",
                                   folder(i) / "aircraft.cfg");
            } else {
                writeBytes(folder(i) / "aircraft.cfg", plain_.back());
            }
        }
        current_ = scratch_.path() / "current";
        fs::create_directories(current_);
        writeSettings(current_, aircraftFolder_);
    }

    fs::path folder(int i) const { return aircraftFolder_ / aircraftName(i); }
    // Where a linked aircraft.cfg's file lives.
    fs::path sharedFolder(int i) const { return scratch_.path() / "FS9" / "Shared" / aircraftName(i); }
    const std::string& oldContent(Mode mode, int i) const { return mode == Mode::Remove ? plain_[i] : modified_[i]; }
    const std::string& newContent(Mode mode, int i) const { return mode == Mode::Remove ? modified_[i] : plain_[i]; }

    // One run of the driver; with `killAfter`, SIGKILL that long after Modify began.
    RunResult run(Mode mode, const std::chrono::steady_clock::duration* killAfter)
    {
        RunResult result;
        ChildProcess child({VANTREL_RELIABILITY_DRIVER, current_.string(), modeName(mode)});
        std::vector<std::string> lines;
        std::string line;
        while (nextLine(child, line, lines)) {
            lines.push_back(line);
            if (line == "modify")
                break;
        }
        const auto began = std::chrono::steady_clock::now();
        if (killAfter) {
            std::this_thread::sleep_until(began + *killAfter);
            child.kill(SIGKILL);
        }
        // Modify is over when the driver speaks again; the time until then, not until the process has gone,
        // is what the kill moments are spread over.
        bool heardAfter = false;
        while (nextLine(child, line, lines)) {
            if (!heardAfter) {
                result.modifyTime = std::chrono::steady_clock::now() - began;
                heardAfter = true;
            }
            lines.push_back(line);
        }
        const int status = child.wait();
        if (!heardAfter)
            result.modifyTime = std::chrono::steady_clock::now() - began;
        result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        if (!result.killed) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "driver status " << status;
        }
        result.report = parseReport(lines);
        EXPECT_TRUE(result.report.modifyBegan) << "the driver never reached Modify";
        return result;
    }

    // The driver's next line. A driver that says nothing for kSilence is stuck: it is killed, and the test fails,
    // saying where it stuck.
    static bool nextLine(ChildProcess& child, std::string& line, const std::vector<std::string>& heard)
    {
        const auto began = std::chrono::steady_clock::now();
        if (child.readLine(line, kSilence))
            return true;
        if (std::chrono::steady_clock::now() - began >= kSilence) {
            child.kill(SIGKILL);
            const bool modifying = std::find(heard.begin(), heard.end(), "modify") != heard.end();
            ADD_FAILURE() << "the driver said nothing for " << kSilence.count() << " s "
                          << (heard.empty() ? std::string("before its first line") : "after \"" + heard.back() + "\"")
                          << ": stuck in "
                          << (modifying ? "Modify (its rewrites or the rescan that ends it)"
                                        : "start-up's scan or All's rescan");
        }
        return false;
    }

    static bool isPrefixOf(const std::string& piece, const std::string& whole)
    {
        return piece.size() <= whole.size() && whole.compare(0, piece.size(), piece) == 0;
    }

    // After a kill: complete old or complete new content everywhere; returns how many hold the new one.
    int checkAfterKill(Mode mode, const std::string& when)
    {
        int done = 0;
        for (int i = 0; i < kAircraft; ++i) {
            const std::string cfg = readBytes(folder(i) / "aircraft.cfg");
            const bool isNew = cfg == newContent(mode, i);
            EXPECT_TRUE(isNew || cfg == oldContent(mode, i))
                << when << ": " << aircraftName(i) << " holds neither its old nor its new content (" << cfg.size()
                << " bytes)";
            done += isNew ? 1 : 0;
            checkSideFiles(i, when, true);
        }
        return done;
    }

    // The files beside aircraft.cfg (and beside the file a linked aircraft.cfg names). A temporary file may stand
    // there only right after a kill, holding the beginning of what was being written; a kept leftover is a piece of
    // one of the two contents. Every file has one name: none is a second name (hard link) of aircraft.cfg.
    void checkSideFiles(int i, const std::string& when, bool afterKill)
    {
        std::vector<fs::path> folders{folder(i)};
        if (isLinked(i))
            folders.push_back(sharedFolder(i));
        for (const fs::path& at : folders) {
            for (const auto& entry : fs::directory_iterator(at)) {
                const std::string name = entry.path().filename().string();
                const std::string where = aircraftName(i) + (at == folder(i) ? "/" : " (shared)/") + name;
                if (entry.is_symlink()) {
                    EXPECT_TRUE(isLinked(i) && at == folder(i) && name == "aircraft.cfg") << when << ": " << where;
                    continue;
                }
                EXPECT_EQ(fs::hard_link_count(entry.path()), 1u)
                    << when << ": " << where << " shares its file with another name";
                checkSideFile(i, entry.path(), name, when, where, afterKill);
            }
        }
        if (isLinked(i)) {
            EXPECT_TRUE(fs::is_symlink(folder(i) / "aircraft.cfg")) << when << ": " << aircraftName(i);
        }
    }

    void checkSideFile(int i, const fs::path& path, const std::string& name, const std::string& when,
                       const std::string& where, bool afterKill)
    {
        if (name == "aircraft.cfg")
            return;
        const std::string bytes = readBytes(path);
        const bool kept = name.rfind("aircraftcfg.tmp.", 0) == 0 || name.rfind("aircraftcfg.bak.tmp.", 0) == 0;
        if (name == "aircraftcfg.bak") {
            EXPECT_EQ(bytes, plain_[i]) << when << ": backup " << where << " is not the original";
        } else if (kept || name == "aircraftcfg.tmp" || name == "aircraftcfg.bak.tmp") {
            EXPECT_TRUE(afterKill || kept) << when << ": still there: " << where;
            EXPECT_TRUE(isPrefixOf(bytes, plain_[i]) || isPrefixOf(bytes, modified_[i]))
                << when << ": " << where << " is not a piece of either content";
            if (kept && afterKill == false)
                ++keptLeftovers_;
        } else {
            ADD_FAILURE() << when << ": unexpected file " << where;
        }
    }

    // After a complete run: every aircraft new, the backups original, no temporary file.
    void checkComplete(Mode mode, const RunResult& result, const std::string& when)
    {
        EXPECT_FALSE(result.killed);
        EXPECT_TRUE(result.report.done) << when;
        EXPECT_TRUE(result.report.boxes.empty()) << when << ": " << result.report.boxes.front();
        const std::vector<std::string> expectedList{mode == Mode::Remove ? "All Aircraft have WL Removed"
                                                                         : "All Aircraft have WL Restored"};
        EXPECT_EQ(result.report.after, expectedList) << when;
        keptLeftovers_ = 0;
        for (int i = 0; i < kAircraft; ++i) {
            EXPECT_EQ(readBytes(folder(i) / "aircraft.cfg"), newContent(mode, i)) << when << ": " << aircraftName(i);
            checkSideFiles(i, when, false);
        }
    }

    ScratchFolder scratch_;
    fs::path aircraftFolder_;
    fs::path current_;
    std::vector<std::string> plain_;
    std::vector<std::string> modified_;
    int keptLeftovers_ = 0;
};

TEST_F(KillTest, EveryAircraftIsCompleteOldOrNewAfterSigkillAndTheNextModifyFinishes)
{
    // Uninterrupted runs first: they must do the whole job, and they tell how long Modify takes.
    std::chrono::steady_clock::duration length[2];
    const RunResult fullRemove = run(Mode::Remove, nullptr);
    ASSERT_EQ(fullRemove.report.before.size(), static_cast<std::size_t>(kAircraft));
    checkComplete(Mode::Remove, fullRemove, "uninterrupted Remove");
    length[0] = fullRemove.modifyTime;
    const RunResult fullRestore = run(Mode::Restore, nullptr);
    ASSERT_EQ(fullRestore.report.before.size(), static_cast<std::size_t>(kAircraft));
    checkComplete(Mode::Restore, fullRestore, "uninterrupted Restore");
    length[1] = fullRestore.modifyTime;
    std::cout << "uninterrupted Modify: Remove "
              << std::chrono::duration_cast<std::chrono::milliseconds>(length[0]).count() << " ms, Restore "
              << std::chrono::duration_cast<std::chrono::milliseconds>(length[1]).count() << " ms\n";
    ASSERT_FALSE(HasFailure());

    // Kill moments spread over each run; one that comes too late (the run was over) is tried again earlier.
    struct Moment
    {
        int index;
        double scale;
    };
    std::deque<Moment> pending[2];
    for (int k = 0; k < kKills; ++k) {
        pending[0].push_back({k, 1.0});
        pending[1].push_back({k, 1.0});
    }
    int landed[2] = {0, 0};
    int midRun[2] = {0, 0};
    std::vector<int> doneAtKill[2];
    for (int round = 0; round < 4 * kKills && (!pending[0].empty() || !pending[1].empty()); ++round) {
        for (const Mode mode : {Mode::Remove, Mode::Restore}) {
            const int m = mode == Mode::Remove ? 0 : 1;
            const std::string name = modeName(mode);
            if (pending[m].empty()) {
                // Nothing left to kill in this mode: a plain run brings the aircraft to the other mode's start.
                checkComplete(mode, run(mode, nullptr), name + " between kills");
                continue;
            }
            const Moment moment = pending[m].front();
            pending[m].pop_front();
            const double share = (moment.index + 0.5) / kKills * 0.95 * moment.scale;
            const auto delay = std::chrono::duration_cast<std::chrono::steady_clock::duration>(length[m] * share);
            const RunResult killed = run(mode, &delay);
            const std::string when = name + " killed at " + std::to_string(static_cast<int>(share * 100)) + "%";
            const int done = checkAfterKill(mode, when);
            if (killed.killed) {
                ++landed[m];
                doneAtKill[m].push_back(done);
            }
            // A kill that came too late (the run, or all of its file work, was over) or too early (nothing done
            // yet) still had to leave every file whole; the moment is then tried again, earlier or later, so
            // that enough kills land in the middle of the file work however fast this machine is.
            if (killed.killed && done > 0 && done < kAircraft)
                ++midRun[m];
            else if (!killed.killed || done == kAircraft)
                pending[m].push_back({moment.index, moment.scale * 0.7});
            else
                pending[m].push_back({moment.index, std::min(moment.scale * 1.3, 1.0 / 0.95)});
            if (midRun[m] >= kKills)
                pending[m].clear();
            const RunResult next = run(mode, nullptr);
            if (done < kAircraft) {
                EXPECT_EQ(next.report.before.size(), static_cast<std::size_t>(kAircraft - done)) << when;
            }
            checkComplete(mode, next, "the " + name + " after " + when);
            ASSERT_FALSE(HasFailure()) << when;
        }
    }

    for (int m = 0; m < 2; ++m) {
        std::cout << (m == 0 ? "Remove" : "Restore") << ": " << landed[m] << " kills survived; aircraft done at each:";
        for (int done : doneAtKill[m])
            std::cout << ' ' << done;
        std::cout << '\n';
        EXPECT_GE(landed[m], kKills);
        // The moments are spread over the run: most kills stop it with part of the aircraft done.
        EXPECT_GE(midRun[m], kKills / 2);
    }
    std::cout << "leftovers kept as aircraftcfg.tmp.N or aircraftcfg.bak.tmp.N: " << keptLeftovers_ << '\n';
    RecordProperty("kills_survived", landed[0] + landed[1]);
}

} // namespace
} // namespace vantrel::test
