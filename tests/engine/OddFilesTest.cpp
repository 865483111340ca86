// Files that real installations and real hands produce: wide text without a mark, files already in the state a
// mode makes, names in several letter cases, linked and read-only files, and things that are no files at all.
#include "engine/Classifier.h"
#include "engine/Rewriter.h"
#include "os/AppError.h"
#include "os/FileSearch.h"
#include "settings/SettingsFile.h"

#include "EngineTestSupport.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using vantrel::os::AppError;
using vantrel::engine::Classification;
using vantrel::engine::classifyFile;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;
namespace fs = std::filesystem;

namespace {

const InsertChoice kFs9Both{[] { return true; }, [] { return true; }, [] { return std::string("fs9.exe"); }};
const std::string kPlain = "[fltsim.0]\r\ntitle=Trainer\r\n[autopilot]\r\nautopilot_available=1\r\n";
const std::string kModified =
    "[fltsim.0]\r\ntitle=Trainer\r\n[autopilot]\r\ndefault_bank_mode=0\r\nautopilot_available=1\r\n";

// UTF-16 code units as stored, without a mark.
std::string unmarked(const std::u16string& text, bool bigEndian)
{
    std::string out;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

// The verdict, or the number of the error that the classification reported.
int classifyNumber(const fs::path& cfg)
{
    try {
        Classification c;
        classifyFile(cfg.string(), c);
        return c.found ? 1 : 0;
    } catch (const AppError& e) {
        return e.number();
    }
}

int rewriteNumber(const TempDir& dir, Mode mode)
{
    try {
        rewriteAircraft(dir.str(), mode, kFs9Both);
        return 0;
    } catch (const AppError& e) {
        return e.number();
    }
}

} // namespace

// UTF-16 without a mark is refused in either byte order even where its first line is a title in Cyrillic, Greek or
// Chinese, and neither classified nor written; 8-bit text with a stray zero byte stays 8-bit text.
TEST(OddFiles, UnmarkedUtf16IsRefusedWhateverItHolds)
{
    const std::u16string title = u"title=\u0418\u043B-2 \u03A3\u03C0\u03B9\u03C4\u03C6\u03B1\u03B9\u03C1 "
                                 u"\u96F6\u5F0F\u8266\u4E0A\u6226\u95D8\u6A5F";
    std::u16string long16 = u"[fltsim.0]\r\n";
    for (int i = 0; i < 12; ++i)
        long16 += title + u"\r\n";
    long16 += u"[autopilot]\r\nautopilot_available=1\r\n";
    const std::u16string cjkOnly = u"\u96F6\u5F0F\u8266\r\n\u4E0A\u6226\u95D8\r\n\u6A5F\u96F6\u5F0F\n";
    for (const bool bigEndian : {false, true}) {
        for (const std::u16string& text : {long16, cjkOnly, std::u16string(u"[autopilot]\nmax_bank=25\n")}) {
            SCOPED_TRACE(std::string(bigEndian ? "big" : "little") + "-endian, " + std::to_string(text.size()));
            TempDir dir;
            const std::string bytes = unmarked(text, bigEndian);
            writeBytes(dir.path() / "aircraft.cfg", bytes);
            EXPECT_EQ(classifyNumber(dir.path() / "aircraft.cfg"), vantrel::os::err::BadFileMode);
            EXPECT_EQ(rewriteNumber(dir, Mode::Remove), vantrel::os::err::BadFileMode);
            EXPECT_EQ(rewriteNumber(dir, Mode::Restore), vantrel::os::err::BadFileMode);
            EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), bytes);
            EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"aircraft.cfg"});
        }
    }
    // A stray zero byte, even right after a line end, is no evidence of wide text: the file is 8-bit text whose
    // bytes (the zero among them) are kept.
    TempDir dir;
    const std::string stray = kPlain + std::string("\0", 1) + "\r\n" + std::string(3000, 'x') + "\r\n";
    writeBytes(dir.path() / "aircraft.cfg", stray);
    EXPECT_EQ(classifyNumber(dir.path() / "aircraft.cfg"), 0);
    EXPECT_EQ(rewriteNumber(dir, Mode::Remove), 0);
    EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), modelRemove(stray, true, true, true));
}

// A marked UTF-16 file that has lost a byte is refused, however far behind the first read block its end lies, and
// however early its wing-leveler line stands.
TEST(OddFiles, OddLengthUtf16LargerThanOneReadBlockIsRefused)
{
    for (const bool bigEndian : {true, false}) {
        TempDir dir;
        const std::string bytes = toUtf16(kModified + std::string(70000, 'x') + "\r\n", bigEndian) + "z";
        writeBytes(dir.path() / "aircraft.cfg", bytes);
        EXPECT_EQ(classifyNumber(dir.path() / "aircraft.cfg"), vantrel::os::err::BadFileMode) << bigEndian;
        EXPECT_EQ(rewriteNumber(dir, Mode::Restore), vantrel::os::err::BadFileMode) << bigEndian;
        EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), bytes);
    }
}

// Both words on one line: each keeps its own first position, whichever comes first, in any letter case, and where
// the second lies behind a read block's end.
TEST(OddFiles, BothWordsOnOneLineKeepTheirPositions)
{
    const std::string far(70000, ' ');
    const struct
    {
        std::string line;
        int pitch;
        int bank;
    } cases[] = {
        {"default_bank_mode=0 ; default_pitch", 23, 1},
        {"x=DEFAULT_PITCH default_Bank default_pitch", 3, 17},
        {"default_pitch" + far + "default_bank", 1, 70014},
    };
    for (const auto& test : cases) {
        TempDir dir;
        writeBytes(dir.path() / "aircraft.cfg", "[autopilot]\r\n" + test.line + "\r\nlast=1\r\n");
        Classification c;
        classifyFile(dir.file("aircraft.cfg"), c);
        EXPECT_TRUE(c.found);
        EXPECT_EQ(c.findPitch, test.pitch) << test.line.substr(0, 40);
        EXPECT_EQ(c.findBank, test.bank) << test.line.substr(0, 40);
    }
}

// A file already in the state that the mode makes is left exactly as it is: no second set of lines, no backup,
// no temporary file, whether the lines came from an earlier Modify or from another program.
TEST(OddFiles, FileAlreadyInTheModesStateIsLeftAlone)
{
    const struct
    {
        Mode mode;
        std::string bytes;
    } cases[] = {
        {Mode::Remove, kModified},
        {Mode::Remove, kPlain + "; use_no_default_pitch=1 was here\r\n"},
        {Mode::Remove, toUtf16(kModified, true)},
        {Mode::Restore, kPlain},
        {Mode::Restore, toUtf16(kPlain, false)},
        {Mode::Restore, ""},
    };
    for (const auto& test : cases) {
        TempDir dir;
        writeBytes(dir.path() / "aircraft.cfg", test.bytes);
        FaultyFileOps ops;
        rewriteAircraft(dir.str(), test.mode, kFs9Both, ops);
        EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), test.bytes);
        EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"aircraft.cfg"});
        EXPECT_TRUE(ops.openHandles().empty());
    }
}

#ifndef _WIN32

// On a file system that tells letter case apart, one rule picks the configuration among its names: the exact name,
// otherwise the first in byte order. The rewrite then changes the file that the scan classified.
TEST(OddFiles, OneRulePicksTheConfigurationAmongLetterCases)
{
    using vantrel::os::chooseMatch;
    EXPECT_EQ(chooseMatch("aircraft.cfg", {"Aircraft.CFG", "aircraft.cfg", "AIRCRAFT.CFG"}), 1);
    EXPECT_EQ(chooseMatch("aircraft.cfg", {"aircraft.cfg.old", "Aircraft.cfg", "AIRCRAFT.CFG"}), 2);
    EXPECT_EQ(chooseMatch("aircraft.cfg", {"other.cfg"}), -1);
    const struct
    {
        std::vector<std::string> names;
        std::string picked;
    } cases[] = {
        {{"Aircraft.CFG", "aircraft.cfg"}, "aircraft.cfg"},
        {{"aircraft.CFG", "Aircraft.cfg", "AIRCRAFT.cfg"}, "AIRCRAFT.cfg"},
    };
    for (const auto& test : cases) {
        TempDir dir;
        for (const std::string& name : test.names)
            writeBytes(dir.path() / name, kPlain);
        EXPECT_EQ(vantrel::os::findOrdinaryFile(dir.file("aircraft.cfg")), test.picked);
        rewriteAircraft(dir.str(), Mode::Remove, kFs9Both);
        for (const std::string& name : test.names)
            EXPECT_EQ(readBytes(dir.path() / name) != kPlain, name == test.picked) << name;
    }
}

// A symbolic link named aircraft.cfg stays a link: the file it points to is rewritten beside itself, and the
// aircraft's backup is a copy of the content, not another name of anything.
TEST(OddFiles, LinkedConfigurationStaysALink)
{
    TempDir root;
    fs::create_directories(root.path() / "A");
    fs::create_directories(root.path() / "B");
    writeBytes(root.path() / "A" / "aircraft.cfg", kPlain);
    fs::create_symlink(fs::path("..") / "A" / "aircraft.cfg", root.path() / "B" / "aircraft.cfg");

    rewriteAircraft((root.path() / "B").string(), Mode::Remove, kFs9Both);
    EXPECT_TRUE(fs::is_symlink(root.path() / "B" / "aircraft.cfg"));
    EXPECT_EQ(readBytes(root.path() / "A" / "aircraft.cfg"), modelRemove(kPlain, true, true, true));
    EXPECT_FALSE(fs::is_symlink(root.path() / "B" / "aircraftcfg.bak"));
    EXPECT_EQ(fs::hard_link_count(root.path() / "B" / "aircraftcfg.bak"), 1u);
    EXPECT_EQ(readBytes(root.path() / "B" / "aircraftcfg.bak"), kPlain);
    EXPECT_EQ(fs::hard_link_count(root.path() / "A" / "aircraft.cfg"), 1u);
    EXPECT_EQ(listFolder(root.path() / "A"), std::vector<std::string>{"aircraft.cfg"});

    rewriteAircraft((root.path() / "B").string(), Mode::Restore, kFs9Both);
    EXPECT_TRUE(fs::is_symlink(root.path() / "B" / "aircraft.cfg"));
    EXPECT_EQ(readBytes(root.path() / "A" / "aircraft.cfg"), kPlain);
    EXPECT_EQ(listFolder(root.path() / "B"), (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak"}));
}

// Read-only comes from the permission bits, the same for every user (root too), and is refused before any file
// work: a leftover aircraftcfg.tmp and a small backup beside the file stay as they are.
TEST(OddFiles, ReadOnlyFromThePermissionBitsIsRefusedBeforeAnyFileWork)
{
    for (const Mode mode : {Mode::Remove, Mode::Restore}) {
        TempDir dir;
        writeBytes(dir.path() / "aircraft.cfg", kModified);
        writeBytes(dir.path() / "aircraftcfg.tmp", "leftover");
        writeBytes(dir.path() / "aircraftcfg.bak", "tiny");
        ASSERT_EQ(::chmod(dir.file("aircraft.cfg").c_str(), 0444), 0);
        EXPECT_TRUE(vantrel::os::FileOps::real().status(dir.file("aircraft.cfg")).readOnly);
        EXPECT_EQ(rewriteNumber(dir, mode), vantrel::os::err::PermissionDenied);
        EXPECT_EQ(listFolder(dir.path()),
                  (std::vector<std::string>{"aircraft.cfg", "aircraftcfg.bak", "aircraftcfg.tmp"}));
        EXPECT_EQ(readBytes(dir.path() / "aircraftcfg.tmp"), "leftover");
        EXPECT_EQ(readBytes(dir.path() / "aircraftcfg.bak"), "tiny");
        EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), kModified);
    }
    // Only the owner's write bit counts: a file that its owner may write is not read-only, whoever asks.
    TempDir dir;
    writeBytes(dir.path() / "aircraft.cfg", kPlain);
    ASSERT_EQ(::chmod(dir.file("aircraft.cfg").c_str(), 0200), 0);
    EXPECT_FALSE(vantrel::os::FileOps::real().status(dir.file("aircraft.cfg")).readOnly);
}

// Nothing that can block is ever opened: a pipe or socket where a file belongs (aircraft.cfg, its backup or
// temporary file, the settings file or its temporary file) is refused at once like a file that cannot be read.
TEST(OddFiles, PipesAndSocketsAreRefusedWithoutWaiting)
{
    const Watchdog watchdog(std::chrono::seconds(20), "an open waited for the other end of a pipe");
    const auto pipe = [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); };
    const int access = vantrel::os::err::PathFileAccess;
    {
        TempDir dir;
        pipe(dir.path() / "aircraft.cfg");
        EXPECT_EQ(classifyNumber(dir.path() / "aircraft.cfg"), access);
        EXPECT_EQ(rewriteNumber(dir, Mode::Restore), access);
    }
    for (const char* name : {"aircraftcfg.bak", "aircraftcfg.tmp"}) {
        TempDir dir;
        writeBytes(dir.path() / "aircraft.cfg", kPlain);
        pipe(dir.path() / name);
        EXPECT_EQ(rewriteNumber(dir, Mode::Remove), access) << name;
        EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), kPlain);
    }
    {
        TempDir dir;
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string socketPath = dir.file("aircraft.cfg");
        ASSERT_LT(socketPath.size(), sizeof address.sun_path);
        socketPath.copy(address.sun_path, socketPath.size());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(classifyNumber(dir.path() / "aircraft.cfg"), access);
        ::close(fd);
    }
    TempDir dir;
    const std::string ini = vantrel::settings::settingsFilePath(dir.str() + "/");
    pipe(ini);
    pipe(ini + ".tmp");
    for (const auto& step : std::vector<std::function<void()>>{
             [&] { vantrel::settings::touchSettingsFile(ini); }, [&] { vantrel::settings::SettingsReader reader(ini); },
             [&] { vantrel::settings::writeSettingsFile(ini, "3", "/", "/Sim/Aircraft"); }}) {
        try {
            step();
            ADD_FAILURE() << "a pipe was taken for the settings file";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), access);
        }
    }
}

#endif
