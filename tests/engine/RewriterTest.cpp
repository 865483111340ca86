#include "engine/Classifier.h"
#include "engine/Rewriter.h"
#include "os/AppError.h"
#include "os/FileSearch.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include "os/Windows.h"
#endif

using vantrel::os::AppError;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;

namespace {

InsertChoice choose(bool bank, bool pitch, const std::string& simulator)
{
    return InsertChoice{[bank] { return bank; }, [pitch] { return pitch; }, [simulator] { return simulator; }};
}

struct Aircraft
{
    TempDir dir;
    std::filesystem::path cfg() const { return dir.path() / "aircraft.cfg"; }
    std::filesystem::path bak() const { return dir.path() / "aircraftcfg.bak"; }
    std::filesystem::path tmp() const { return dir.path() / "aircraftcfg.tmp"; }
    void write(const std::string& bytes) const { writeBytes(cfg(), bytes); }
    std::string content() const { return readBytes(cfg()); }
    void rewrite(Mode mode, const InsertChoice& choice = choose(true, true, "fs9.exe")) const
    {
        rewriteAircraft(dir.str(), mode, choice);
    }
};

// Lines A to D of the worked example; A is long enough that the file (over 100 bytes) keeps its first backup.
const std::string kA = "ui_manufacturer=A line of an earlier section, long enough for a kept backup";
const std::string kB = "autopilot_available=1";
const std::string kC = "flight_director_available=1";
const std::string kD = "[D]";
const std::string kWorkedExample = kA + "\r\n[autopilot]\r\n" + kB + "\r\n" + kC + "\r\n" + kD + "\r\n";

std::string example(const std::string& inserted)
{
    return kA + "\r\n[autopilot]\r\n" + inserted + kB + "\r\n" + kC + "\r\n" + kD + "\r\n";
}

} // namespace

TEST(Rewriter, WorkedExampleByteForByte)
{
    {
        Aircraft a;
        a.write(kWorkedExample);
        a.rewrite(Mode::Remove, choose(true, true, "fs9.exe"));
        EXPECT_EQ(a.content(), example("default_bank_mode=0\r\ndefault_pitch_mode=0\r\n"));
        EXPECT_EQ(readBytes(a.bak()), kWorkedExample);
        EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
        a.rewrite(Mode::Restore);
        EXPECT_EQ(a.content(), kWorkedExample);
        EXPECT_EQ(readBytes(a.bak()), kWorkedExample) << "the backup made by the removal stays";
        EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
    }
    for (const std::string simulator : {"fs2000.exe", "", "FS2000.EXE"}) {
        Aircraft a;
        a.write(kWorkedExample);
        a.rewrite(Mode::Remove, choose(true, false, simulator));
        EXPECT_EQ(a.content(), example("use_no_default_bank=1\r\n")) << simulator;
        a.rewrite(Mode::Restore);
        EXPECT_EQ(a.content(), kWorkedExample);
    }
    {
        Aircraft a;
        a.write(kWorkedExample);
        a.rewrite(Mode::Remove, choose(false, true, "FS9.EXE"));
        EXPECT_EQ(a.content(), example("default_pitch_mode=0\r\n"));
    }
}

TEST(Rewriter, HeadersAreRecognisedByTheirFirstElevenCharacters)
{
    Aircraft a;
    a.write("[autopilot]\r\nx=1\r\n[AutoPilot] ; again\r\n [autopilot]\r\n\t[AUTOPILOT]\r\n[autopilot]// last");
    a.rewrite(Mode::Remove, choose(true, true, "fs2000.exe"));
    EXPECT_EQ(a.content(), "[autopilot]\r\nuse_no_default_bank=1\r\nuse_no_default_pitch=1\r\nx=1\r\n"
                           "[AutoPilot] ; again\r\nuse_no_default_bank=1\r\nuse_no_default_pitch=1\r\n"
                           " [autopilot]\r\n\t[AUTOPILOT]\r\n"
                           "[autopilot]// last\r\nuse_no_default_bank=1\r\nuse_no_default_pitch=1\r\n");
    // Some editors open the file with a UTF-8 byte-order mark: a header right behind it is still a header, and
    // the mark stays.
    a.write("\xEF\xBB\xBF[AutoPilot]\r\n");
    a.rewrite(Mode::Remove, choose(false, true, "fs9.exe"));
    EXPECT_EQ(a.content(), "\xEF\xBB\xBF[AutoPilot]\r\ndefault_pitch_mode=0\r\n");
}

TEST(Rewriter, RemoveWithoutBoxesLeavesTheFileAsItIs)
{
    Aircraft a;
    a.write("[autopilot]\nx=1");
    a.rewrite(Mode::Remove, choose(false, false, "fs9.exe"));
    EXPECT_EQ(a.content(), "[autopilot]\nx=1");
    EXPECT_EQ(listFolder(a.dir.path()), std::vector<std::string>{"aircraft.cfg"}) << "no backup either";
}

TEST(Rewriter, ChoiceIsReadAnewForEveryHeader)
{
    Aircraft a;
    a.write("[autopilot]\r\n[autopilot]\r\n[autopilot]\r\n");
    int bankReads = 0;
    int simulatorReads = 0;
    InsertChoice choice;
    choice.bank = [&bankReads] { return ++bankReads % 2 == 1; };
    choice.pitch = [] { return true; };
    choice.simulator = [&simulatorReads] { return ++simulatorReads <= 2 ? "fs9.exe" : "fs2000.exe"; };
    rewriteAircraft(a.dir.str(), Mode::Remove, choice);
    // The first reading, which only finds out whether the file changes, stops asking at the first header that gets a
    // line (read 1); the writing asks again at every header (reads 2 to 4), the simulator at every line written.
    EXPECT_EQ(bankReads, 4);
    EXPECT_EQ(a.content(), "[autopilot]\r\ndefault_pitch_mode=0\r\n"
                           "[autopilot]\r\ndefault_bank_mode=0\r\nuse_no_default_pitch=1\r\n"
                           "[autopilot]\r\nuse_no_default_pitch=1\r\n");
    // Unset choices count as unticked boxes.
    Aircraft b;
    b.write("[autopilot]\r\n");
    rewriteAircraft(b.dir.str(), Mode::Remove, InsertChoice{});
    EXPECT_EQ(b.content(), "[autopilot]\r\n");
}

TEST(Rewriter, RestoreDropsEveryWingLevelerLineAndNothingElse)
{
    Aircraft a;
    a.write("; Default_Bank comment\r\n[autopilot]\r\nuse_no_default_pitch = 1 // off\r\nkeep=1\r\n"
            "[other]\r\nDEFAULT_PITCH_MODE=0\r\ndefaultbank=1\r\nlast=default_bank");
    a.rewrite(Mode::Restore);
    EXPECT_EQ(a.content(), "[autopilot]\r\nkeep=1\r\n[other]\r\ndefaultbank=1\r\n");
    EXPECT_TRUE(fileExists(a.bak())) << "restore without a backup makes one from the current file";
    EXPECT_EQ(readBytes(a.bak()).substr(0, 22), "; Default_Bank comment");
}

TEST(Rewriter, LineEndsOfEveryKindComeBackAsCrLf)
{
    const std::string expected = "[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\na=1\r\n\r\nb=2\r\n";
    for (const std::string& input :
         {std::string("[autopilot]\ra=1\r\rb=2\r"), std::string("[autopilot]\r\na=1\r\n\r\nb=2\r\n"),
          std::string("[autopilot]\na=1\n\nb=2\n"), std::string("[autopilot]\r\na=1\n\rb=2"),
          std::string("[autopilot]\na=1\r\n\nb=2")}) {
        Aircraft a;
        a.write(input);
        a.rewrite(Mode::Remove);
        EXPECT_EQ(a.content(), expected);
    }
}

TEST(Rewriter, ALineEndCutByAReadBlockEndsOneLine)
{
    // Both the rewrite and the classification read 64 KiB at a time. A carriage return that is a block's last
    // byte and the line feed that opens the next are one line end, not two.
    constexpr std::size_t kBlock = 64 * 1024;
    const std::string head = "[autopilot]\r\n";
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        for (std::size_t before = 0; before <= end.size(); ++before) {
            SCOPED_TRACE("line end of " + std::to_string(end.size()) + " bytes, " + std::to_string(before) +
                         " before the boundary");
            const std::string filler(kBlock - before - head.size() - 8, 'x');
            const std::string bytes = head + filler + "\r\nlast=1" + end;
            Aircraft a;
            a.write(bytes);
            vantrel::engine::Classification c;
            vantrel::engine::classifyFile(a.cfg().string(), c);
            EXPECT_EQ(c.lastLine, "last=1");
            a.rewrite(Mode::Remove, choose(true, false, "fs9.exe"));
            EXPECT_EQ(a.content(), head + "default_bank_mode=0\r\n" + filler + "\r\nlast=1\r\n");
        }
    }
}

TEST(Rewriter, BytesAreNeverTranscoded)
{
    Aircraft a;
    const std::string odd =
        std::string("title=Caf\xE9 \x96 \xE2\x80\x9C") + "quoted\xE2\x80\x9D\xC2\xA0\t=" + std::string(1, '\0') + "x";
    a.write(odd + "\r\n[autopilot]\r\n");
    a.rewrite(Mode::Remove);
    a.rewrite(Mode::Restore);
    EXPECT_EQ(a.content(), odd + "\r\n[autopilot]\r\n");
}

TEST(Rewriter, BackupIsRefreshedUpTo100BytesAndKeptAbove)
{
    const std::string current = "[autopilot]\r\nnew=1\r\n";
    for (std::size_t size : {0, 1, 99, 100, 101, 5000}) {
        Aircraft a;
        a.write(current);
        const std::string oldBackup(size, 'b');
        writeBytes(a.bak(), oldBackup);
        a.rewrite(Mode::Remove);
        EXPECT_EQ(readBytes(a.bak()), size <= 100 ? current : oldBackup) << size;
    }
    // A small configuration keeps a small backup, so every rewrite refreshes it: it always holds the state
    // just before the latest rewrite.
    Aircraft a;
    a.write("[autopilot]\r\n");
    a.rewrite(Mode::Remove, choose(true, false, "fs9.exe"));
    EXPECT_EQ(readBytes(a.bak()), "[autopilot]\r\n");
    a.rewrite(Mode::Restore);
    EXPECT_EQ(readBytes(a.bak()), "[autopilot]\r\ndefault_bank_mode=0\r\n");
    EXPECT_EQ(a.content(), "[autopilot]\r\n");
}

TEST(Rewriter, BackupSharesNothingWithTheNewConfiguration)
{
    // The backup is a file of its own, so that an editor changing aircraft.cfg in place never changes the backup.
    Aircraft a;
    a.write(kWorkedExample);
    a.rewrite(Mode::Remove);
    EXPECT_EQ(std::filesystem::hard_link_count(a.bak()), 1u);
    EXPECT_EQ(std::filesystem::hard_link_count(a.cfg()), 1u);
    {
        std::ofstream inPlace(a.cfg(), std::ios::binary | std::ios::app);
        inPlace << "edited=1\r\n";
    }
    EXPECT_EQ(readBytes(a.bak()), kWorkedExample);
}

// The new aircraft.cfg is the old one's in all but the changed lines: its permissions too, not the defaults of a
// new file (0640 would become 0644 under the usual umask, 0666 would lose its group and world write).
TEST(Rewriter, NewConfigurationKeepsThePermissionsOfTheOld)
{
#ifdef _WIN32
    // Hidden and system stay; the archive attribute is set, as on every changed file.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
                                   DWORD{FILE_ATTRIBUTE_NORMAL}}) {
        Aircraft a;
        a.write(kWorkedExample);
        ASSERT_TRUE(SetFileAttributesW(a.cfg().wstring().c_str(), attributes));
        for (const Mode mode : {Mode::Remove, Mode::Restore}) {
            a.rewrite(mode);
            EXPECT_EQ(GetFileAttributesW(a.cfg().wstring().c_str()) & kept,
                      (attributes & kept) | FILE_ATTRIBUTE_ARCHIVE)
                << attributes;
        }
        EXPECT_EQ(a.content(), kWorkedExample);
    }
#else
    namespace fs = std::filesystem;
    for (const fs::perms bits : {fs::perms(0640), fs::perms(0666)}) {
        Aircraft a;
        a.write(kWorkedExample);
        fs::permissions(a.cfg(), bits);
        for (const Mode mode : {Mode::Remove, Mode::Restore}) {
            a.rewrite(mode);
            EXPECT_EQ(fs::status(a.cfg()).permissions(), bits) << static_cast<int>(bits);
        }
        EXPECT_EQ(a.content(), kWorkedExample);
    }
#endif
}

namespace {

// The calls of a rewrite that change what is on disk, in order: a run of writes to one file counts once, and
// the calls that only read or look (open, read, status, close) are left out.
std::vector<std::string> changesMade(const FaultyFileOps& ops)
{
    std::vector<std::string> changes;
    for (const std::string& call : ops.trace()) {
        const std::string kind = call.substr(0, call.find(' '));
        if (kind == "open" || kind == "read" || kind == "status" || kind == "close")
            continue;
        if (kind == "write" && !changes.empty() && changes.back() == call)
            continue;
        changes.push_back(call);
    }
    return changes;
}

} // namespace

TEST(Rewriter, NewContentIsOnDiskBeforeItTakesItsName)
{
    // A power cut just after a rename must not find the renamed file empty: every file is forced to disk after
    // its last write and before the rename that gives it its final name. The backup takes its name before
    // aircraft.cfg changes.
    struct Case
    {
        const char* what;
        std::size_t backupSize; // of the backup already there, 0 for none
        std::vector<std::string> changes;
    };
    const Case cases[] = {
        {"backup made",
         0,
         {"create aircraftcfg.bak.tmp", "write aircraftcfg.bak.tmp", "create aircraftcfg.tmp", "write aircraftcfg.tmp",
          "flush aircraftcfg.bak.tmp", "flush aircraftcfg.tmp", "setAttributes aircraftcfg.tmp",
          "rename aircraftcfg.bak.tmp aircraftcfg.bak", "rename aircraftcfg.tmp aircraft.cfg"}},
        {"backup kept",
         101,
         {"create aircraftcfg.tmp", "write aircraftcfg.tmp", "flush aircraftcfg.tmp", "setAttributes aircraftcfg.tmp",
          "rename aircraftcfg.tmp aircraft.cfg"}},
    };
    for (const Case& c : cases) {
        for (const Mode mode : {Mode::Remove, Mode::Restore}) {
            SCOPED_TRACE(std::string(c.what) + (mode == Mode::Remove ? ", remove" : ", restore"));
            Aircraft a;
            a.write(mode == Mode::Remove ? kWorkedExample : example("default_bank_mode=0\r\n"));
            if (c.backupSize > 0)
                writeBytes(a.bak(), std::string(c.backupSize, 'b'));
            FaultyFileOps ops;
            rewriteAircraft(a.dir.str(), mode, choose(true, true, "fs9.exe"), ops);
            EXPECT_EQ(changesMade(ops), c.changes);
        }
    }
}

// Where the rewrite would give the file the same lines, it is left exactly as it is: its bytes (line ends too), its
// time, and its folder (no backup, no temporary file; a small backup already there stays as it is too). In Remove
// that is a file without an [autopilot] header or an empty one (both stay in the Remove list), and a file that has a
// wing-leveler line already; in Restore a file without one.
TEST(Rewriter, AFileTheModeWouldNotChangeIsLeftExactlyAsItIs)
{
    namespace fs = std::filesystem;
    const struct
    {
        const char* what;
        Mode mode;
        std::string bytes;
        InsertChoice choice;
    } cases[] = {
        {"no header", Mode::Remove, "[fltsim.0]\ntitle=Glider\nsim=glider\n", choose(true, true, "fs9.exe")},
        {"empty", Mode::Remove, "", choose(true, true, "fs9.exe")},
        {"no header, no line end", Mode::Remove, "title=Glider", choose(true, false, "fs2000.exe")},
        {"no box ticked", Mode::Remove, "[autopilot]\nx=1\r", choose(false, false, "fs9.exe")},
        {"leveler off", Mode::Remove, "[autopilot]\ndefault_bank_mode=0\n", choose(true, true, "fs9.exe")},
        {"leveler on", Mode::Restore, "[autopilot]\nx=1\r\rlast", choose(true, true, "fs9.exe")},
        {"empty", Mode::Restore, "", choose(true, true, "fs9.exe")},
    };
    for (const auto& c : cases) {
        for (const bool smallBackup : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (c.mode == Mode::Remove ? ", remove" : ", restore") +
                         (smallBackup ? ", with a backup of 4 bytes" : ""));
            Aircraft a;
            a.write(c.bytes);
            // A time long ago, as the file system keeps it (some keep whole seconds only).
            fs::last_write_time(a.cfg(), fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
            const auto longAgo = fs::last_write_time(a.cfg());
            if (smallBackup) {
                writeBytes(a.bak(), "tiny");
                fs::last_write_time(a.bak(), longAgo);
            }
            const std::vector<std::string> before = listFolder(a.dir.path());
            FaultyFileOps ops;
            rewriteAircraft(a.dir.str(), c.mode, c.choice, ops);
            EXPECT_EQ(changesMade(ops), std::vector<std::string>{}) << "nothing is written, renamed or removed";
            EXPECT_EQ(a.content(), c.bytes);
            EXPECT_EQ(fs::last_write_time(a.cfg()), longAgo);
            EXPECT_EQ(linkCount(a.cfg()), 1u);
            EXPECT_EQ(listFolder(a.dir.path()), before);
            if (smallBackup) {
                EXPECT_EQ(readBytes(a.bak()), "tiny");
                EXPECT_EQ(fs::last_write_time(a.bak()), longAgo);
            }
            EXPECT_TRUE(ops.openHandles().empty());
        }
    }
}

// A leftover aircraftcfg.bak.tmp (a backup copy that a killed run did not finish, or a second name of aircraft.cfg
// that an older Vantrel left where aircraft.cfg was held open) is handled as a leftover aircraftcfg.tmp is: never
// deleted unread, never kept as a second name of the configuration.
TEST(Rewriter, LeftoverBackupCopyIsKeptAndASecondNameOfTheConfigurationGoes)
{
    namespace fs = std::filesystem;
    const fs::path bakTmp = "aircraftcfg.bak.tmp";
    {
        // A copy of its own: kept under the first free numbered name, the backup made afresh.
        Aircraft a;
        a.write(kWorkedExample);
        writeBytes(a.dir.path() / bakTmp, kWorkedExample.substr(0, 40));
        writeBytes(a.dir.path() / "aircraftcfg.bak.tmp.1", "an earlier one");
        a.rewrite(Mode::Remove);
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.bak.tmp.1"), "an earlier one");
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.bak.tmp.2"), kWorkedExample.substr(0, 40));
        EXPECT_EQ(readBytes(a.bak()), kWorkedExample);
        EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak",
                                                                      "aircraftcfg.bak.tmp.1", "aircraftcfg.bak.tmp.2"}));
    }
    for (const Mode mode : {Mode::Remove, Mode::Restore}) {
        // A second name of aircraft.cfg, beside a backup that is kept: the name goes, the content stays in
        // aircraft.cfg (and is rewritten there, or left as it is by Restore, which has nothing to take out).
        SCOPED_TRACE(mode == Mode::Remove ? "remove" : "restore");
        Aircraft a;
        a.write(kWorkedExample);
        const std::string backup(500, 'b');
        writeBytes(a.bak(), backup);
        fs::create_hard_link(a.cfg(), a.dir.path() / bakTmp);
        ASSERT_EQ(linkCount(a.cfg()), 2u);
        a.rewrite(mode);
        EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
        EXPECT_EQ(a.content(), mode == Mode::Remove ? example("default_bank_mode=0\r\ndefault_pitch_mode=0\r\n")
                                                    : kWorkedExample);
        EXPECT_EQ(linkCount(a.cfg()), 1u);
        EXPECT_EQ(readBytes(a.bak()), backup);
    }
}

#ifdef _WIN32
TEST(Rewriter, ReadOnlyConfigurationIsRefusedBeforeAnyFileWork)
{
    for (const Mode mode : {Mode::Remove, Mode::Restore}) {
        Aircraft a;
        a.write(kWorkedExample);
        ASSERT_TRUE(SetFileAttributesW(a.cfg().wstring().c_str(), FILE_ATTRIBUTE_READONLY));
        try {
            a.rewrite(mode);
            ADD_FAILURE() << "a read-only aircraft.cfg was rewritten";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), 70);
        }
        EXPECT_EQ(listFolder(a.dir.path()), std::vector<std::string>{"aircraft.cfg"});
        EXPECT_EQ(a.content(), kWorkedExample);
        SetFileAttributesW(a.cfg().wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}
#endif

TEST(Rewriter, ModeNoneTouchesNothing)
{
    Aircraft a;
    a.write(kWorkedExample);
    writeBytes(a.tmp(), "leftover");
    FaultyFileOps ops;
    rewriteAircraft(a.dir.str(), Mode::None, choose(true, true, "fs9.exe"), ops);
    EXPECT_EQ(ops.calls(), 0);
    EXPECT_EQ(a.content(), kWorkedExample);
    EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.tmp"}));
}

TEST(Rewriter, MissingConfigurationIsFileNotFoundAndLeavesNothingBehind)
{
    Aircraft a;
    FaultyFileOps ops;
    try {
        rewriteAircraft(a.dir.str(), Mode::Remove, choose(true, true, "fs9.exe"), ops);
        FAIL() << "a missing aircraft.cfg was rewritten";
    } catch (const AppError& e) {
        EXPECT_EQ(e.report(), "Error 53 File not found");
    }
    EXPECT_TRUE(listFolder(a.dir.path()).empty());
    EXPECT_TRUE(ops.openHandles().empty());
    try {
        rewriteAircraft(a.dir.file("gone"), Mode::Restore, choose(true, true, "fs9.exe"));
        FAIL() << "an aircraft in a missing folder was rewritten";
    } catch (const AppError& e) {
        EXPECT_EQ(e.report(), "Error 76 Path not found");
    }
}

TEST(Rewriter, LeftoverTemporaryFileIsNeverLost)
{
    {
        // Only the leftover: it is the configuration, and becomes aircraft.cfg again before the rewrite.
        Aircraft a;
        writeBytes(a.tmp(), kWorkedExample);
        a.rewrite(Mode::Remove, choose(true, false, "fs9.exe"));
        EXPECT_EQ(a.content(), example("default_bank_mode=0\r\n"));
        EXPECT_EQ(readBytes(a.bak()), kWorkedExample);
        EXPECT_FALSE(fileExists(a.tmp()));
    }
    {
        // Both: the leftover is kept under the first free numbered name, every time.
        Aircraft a;
        a.write("[autopilot]\r\npartial");
        writeBytes(a.tmp(), "first leftover");
        writeBytes(a.dir.path() / "aircraftcfg.tmp.2", "someone else's");
        a.rewrite(Mode::Restore);
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.tmp.1"), "first leftover");
        writeBytes(a.tmp(), "second leftover");
        a.rewrite(Mode::Remove, choose(false, false, "fs9.exe"));
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.tmp.1"), "first leftover");
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.tmp.2"), "someone else's");
        EXPECT_EQ(readBytes(a.dir.path() / "aircraftcfg.tmp.3"), "second leftover");
        EXPECT_FALSE(fileExists(a.tmp()));
        EXPECT_EQ(a.content(), "[autopilot]\r\npartial") << "with no line to insert the file stays as it is";
    }
}

TEST(Rewriter, FolderWithTrailingSeparatorAndEveryFileClosed)
{
    Aircraft a;
    a.write(kWorkedExample);
    FaultyFileOps ops;
    rewriteAircraft(a.dir.str() + vantrel::os::nativeSeparator(), Mode::Remove, choose(true, true, "fs9.exe"), ops);
    EXPECT_TRUE(ops.openHandles().empty());
    EXPECT_FALSE(ops.misused());
    EXPECT_EQ(listFolder(a.dir.path()), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
    EXPECT_EQ(vantrel::engine::joinPath("C:", "x").back(), 'x');
}

TEST(Rewriter, AgreesWithTheWholeFileModelOnRandomFiles)
{
    // Random files larger than the buffers, with every kind of line end, long lines, headers and words placed
    // so that lines, line ends and words straddle buffer boundaries.
    std::mt19937 random(20240607);
    const std::vector<std::string> tokens = {"[autopilot]",
                                             "[AutoPilot] ;c",
                                             " [autopilot]",
                                             "default_bank_mode=0",
                                             "USE_NO_DEFAULT_PITCH=1",
                                             "x=1",
                                             "",
                                             "title=\xE9\x96",
                                             "key_value_pair=123456",
                                             "; default_ comment"};
    const std::vector<std::string> ends = {"\r\n", "\n", "\r", "\r\n", "\r\n"};
    for (int round = 0; round < 12; ++round) {
        std::string bytes;
        const std::size_t target = 20000 + random() % 180000;
        while (bytes.size() < target) {
            std::string line = tokens[random() % tokens.size()];
            if (random() % 40 == 0)
                line = std::string(60000 + random() % 90000, 'z') + (random() % 2 ? "default_pitch" : "");
            bytes += line + ends[random() % ends.size()];
        }
        if (round % 2)
            bytes += "trailing_without_end";
        const bool bank = random() % 2;
        const bool pitch = random() % 2;
        const bool fs9 = random() % 2;
        Aircraft a;
        a.write(bytes);
        a.rewrite(Mode::Restore);
        const std::string restored = modelRestore(bytes);
        ASSERT_EQ(a.content(), restored) << "round " << round;
        a.rewrite(Mode::Remove, choose(bank, pitch, fs9 ? "fs9.exe" : "fs2000.exe"));
        const std::string removed = modelRemove(restored, bank, pitch, fs9);
        ASSERT_EQ(a.content(), removed) << "round " << round;
        a.rewrite(Mode::Restore);
        ASSERT_EQ(a.content(), modelRestore(removed)) << "round " << round;
        EXPECT_EQ(readBytes(a.bak()), bytes);

        vantrel::engine::Classification c;
        vantrel::engine::classifyFile(a.cfg().string(), c);
        EXPECT_FALSE(c.found) << "a restored file has no wing-leveler line";
    }
}
