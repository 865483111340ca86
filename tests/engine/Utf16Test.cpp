#include "engine/Classifier.h"
#include "engine/Rewriter.h"
#include "os/AppError.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using vantrel::os::AppError;
using vantrel::engine::Classification;
using vantrel::engine::classifyFile;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;
namespace fs = std::filesystem;
namespace err = vantrel::os::err;
using namespace std::string_literals;

namespace {

const InsertChoice kFs9Both{[] { return true; }, [] { return true; }, [] { return std::string("fs9.exe"); }};

// Two headers (one capitalised, with a comment), 8-bit bytes beside them, lone line feeds, and no line end after
// the last line.
const std::string kTwoHeaders = "[fltsim.0]\r\ntitle=Caf\xE9 \x96 Twin\r\n[autopilot]\r\nautopilot_available=1\r\n"
                                "[gear]\n// gear_type=1\n[AutoPilot] ; again\r\nmax_bank=25";

std::string corpusFile(const std::string& relative)
{
    return readBytes(fs::path(VANTREL_CORPUS_DIR) / relative / "aircraft.cfg");
}

// The line as an error report shows it: ASCII as it is, '?' for every other character.
std::string shownLine(std::string line)
{
    for (char& c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            c = '?';
    }
    return line;
}

struct Aircraft
{
    TempDir dir;
    fs::path cfg() const { return dir.path() / "aircraft.cfg"; }
    Classification classify() const
    {
        Classification c;
        classifyFile(cfg().string(), c);
        return c;
    }
    std::string rewrite(Mode mode) const
    {
        rewriteAircraft(dir.str(), mode, kFs9Both);
        return readBytes(cfg());
    }
};

} // namespace

// The same text stored in 8 bits and in UTF-16 (either byte order) is classified alike, and Remove then Restore
// give the 8-bit results re-encoded, with the mark kept and the backup a copy of the UTF-16 file.
TEST(Utf16, ClassifiedAndRewrittenAsThe8BitTextReEncoded)
{
    if (!fs::is_directory(VANTREL_CORPUS_DIR))
        GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
    const struct
    {
        const char* name;
        std::string text;
        bool found;  // already carries a wing-leveler line
        int headers; // [autopilot] headers that get the inserted lines
    } cases[] = {
        {"real, already modified", corpusFile("aircraft-cfg/fgmembers-nongpl-hampden/hp-hampden-mki"), true, 1},
        {"real, one header", corpusFile("aircraft-cfg/fgmembers-nongpl-swiftR5/supermarine-swiftR5"), false, 1},
        {"mixed line ends", corpusFile("synthetic/MixedEndsAutopilotLast"), false, 1},
        {"two headers", kTwoHeaders, false, 2},
    };
    const std::size_t inserted = std::string("default_bank_mode=0\r\ndefault_pitch_mode=0\r\n").size();
    for (const auto& test : cases) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (bigEndian ? ", big-endian" : ", little-endian"));
            const std::string wide = toUtf16(test.text, bigEndian);
            Aircraft narrow;
            Aircraft unicode;
            writeBytes(narrow.cfg(), test.text);
            writeBytes(unicode.cfg(), wide);

            const Classification expected = narrow.classify();
            const Classification c = unicode.classify();
            ASSERT_EQ(expected.found, test.found);
            EXPECT_EQ(c.found, expected.found);
            EXPECT_EQ(c.findPitch, expected.findPitch);
            EXPECT_EQ(c.findBank, expected.findBank);
            EXPECT_EQ(c.lastLine, shownLine(expected.lastLine));

            const std::string lines = joinCrLf(splitLines(test.text));
            if (!test.found) {
                const std::string removed = narrow.rewrite(Mode::Remove);
                ASSERT_EQ(removed.size(), lines.size() + test.headers * inserted);
                EXPECT_EQ(unicode.rewrite(Mode::Remove), toUtf16(removed, bigEndian));
                EXPECT_TRUE(unicode.classify().found) << "the inserted lines are found again";
            }
            const std::string restored = narrow.rewrite(Mode::Restore);
            EXPECT_EQ(unicode.rewrite(Mode::Restore), toUtf16(restored, bigEndian));
            if (!test.found) {
                EXPECT_EQ(restored, lines) << "remove then restore gives the lines back";
            }
            EXPECT_EQ(readBytes(unicode.dir.path() / "aircraftcfg.bak"), wide);
        }
    }
}

// Text that looks 16- or 32-bit without saying how is not guessed at: reported as "Bad file mode" and never
// written, not even a backup.
TEST(Utf16, UnmarkedOrBrokenWideTextIsRefusedAndLeftAsItIs)
{
    const std::string unmarked = toUtf16("[autopilot]\r\nautopilot_available=1\r\n", false).substr(2);
    const std::string unmarkedBE = toUtf16("[autopilot]\r\nmax_bank=25\r\n", true).substr(2);
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"little-endian without a mark", unmarked},
        {"big-endian without a mark", unmarkedBE},
        {"without a mark, odd length", unmarked + "["},
        {"zeros only", std::string(600, '\0')},
        {"with a mark, odd length", toUtf16("[autopilot]\r\n", false) + "x"},
        {"UTF-32 mark", std::string("\xFF\xFE\0\0[\0\0\0", 8)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        Aircraft a;
        writeBytes(a.cfg(), test.bytes);
        try {
            a.classify();
            ADD_FAILURE() << "classified";
        } catch (const AppError& e) {
            EXPECT_EQ(e.report(), "Error 54 Bad file mode");
        }
        for (const Mode mode : {Mode::Remove, Mode::Restore}) {
            try {
                a.rewrite(mode);
                ADD_FAILURE() << "rewritten";
            } catch (const AppError& e) {
                EXPECT_EQ(e.number(), err::BadFileMode);
            }
        }
        EXPECT_EQ(readBytes(a.cfg()), test.bytes);
        EXPECT_EQ(listFolder(a.dir.path()), std::vector<std::string>{"aircraft.cfg"});
    }
}

// An 8-bit file with zero bytes here and there, or too short to tell, is still an 8-bit file.
TEST(Utf16, EightBitFilesWithZeroBytesAreNotTakenForWideText)
{
    for (const std::string& text : {"[autopilot]\r\n\0\0default_bank=1\0"s, "x"s, "\0A\0B\0\r\n[autopilot]"s}) {
        Aircraft a;
        writeBytes(a.cfg(), text);
        EXPECT_EQ(a.classify().found, mentionsWingLeveler(text));
        EXPECT_EQ(a.rewrite(Mode::Remove), modelRemove(text, true, true, true));
    }
}
