#include "engine/Classifier.h"
#include "os/AppError.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#endif

using vantrel::os::AppError;
using vantrel::engine::Classification;
using vantrel::engine::classifyFile;
using vantrel::engine::classifyFileIn;
using vantrel::os::OpenFolder;
using vantrel::test::FaultyFileOps;
using vantrel::test::TempDir;
using vantrel::test::writeBytes;

namespace {

// Holds `folder` open where the system allows, as the scan does (elsewhere files are opened by their path).
void hold(OpenFolder& held, const std::string& folder)
{
#ifndef _WIN32
    held.hold(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(held.isOpen());
#else
    (void)held;
    (void)folder;
#endif
}

// Classifies by path, and checks that the scan's way (the file opened in its folder held open, a read less)
// comes to the same verdict.
Classification classify(const TempDir& dir, const std::string& bytes)
{
    writeBytes(dir.path() / "aircraft.cfg", bytes);
    Classification result;
    classifyFile(dir.file("aircraft.cfg"), result);
    OpenFolder folder;
    hold(folder, dir.str());
    Classification inFolder;
    classifyFileIn(folder, "aircraft.cfg", dir.file("aircraft.cfg"), inFolder);
    EXPECT_EQ(inFolder.found, result.found);
    EXPECT_EQ(inFolder.empty, result.empty);
    EXPECT_EQ(inFolder.anyLineRead, result.anyLineRead);
    EXPECT_EQ(inFolder.findPitch, result.findPitch);
    EXPECT_EQ(inFolder.findBank, result.findBank);
    EXPECT_EQ(inFolder.lastLine, result.lastLine);
    return result;
}

} // namespace

TEST(Classifier, FindsTheFirstWingLevelerLineWhereverItStands)
{
    TempDir dir;
    {
        const auto c = classify(dir, "default_bank_mode=0\r\n[autopilot]\r\n");
        EXPECT_TRUE(c.found);
        EXPECT_FALSE(c.empty);
        EXPECT_TRUE(c.anyLineRead);
        EXPECT_EQ(c.findBank, 1);
        EXPECT_EQ(c.findPitch, 0);
        EXPECT_EQ(c.lastLine, "default_bank_mode=0");
    }
    {
        const auto c = classify(dir, "[general]\r\n; DEFAULT_PITCH is fine here\r\n[autopilot]\r\nx=1\r\n");
        EXPECT_TRUE(c.found) << "capitals, a comment and another section still count";
        EXPECT_EQ(c.findPitch, 3);
        EXPECT_EQ(c.lastLine, "; DEFAULT_PITCH is fine here");
    }
    {
        const auto c = classify(dir, "[autopilot]\r\nautopilot_available=1\r\nflight_director_available=1\r\n");
        EXPECT_FALSE(c.found);
        EXPECT_TRUE(c.anyLineRead);
        EXPECT_EQ(c.findBank, 0);
        EXPECT_EQ(c.findPitch, 0);
        EXPECT_EQ(c.lastLine, "flight_director_available=1");
    }
    {
        const auto c = classify(dir, "\r\n\r\n\n\r");
        EXPECT_FALSE(c.found);
        EXPECT_FALSE(c.empty) << "empty lines are lines";
        EXPECT_TRUE(c.anyLineRead);
        EXPECT_EQ(c.lastLine, "");
    }
    {
        const auto c = classify(dir, "[autopilot]\r\n" + std::string(40000, ' ') + "use_no_default_bank=1");
        EXPECT_TRUE(c.found) << "no 16-bit limit on positions";
        EXPECT_EQ(c.findBank, 40008);
        EXPECT_EQ(c.lastLine.size(), Classification::kLastLineLimit) << "the kept copy of a long line is capped";
    }
}

TEST(Classifier, LineEndsAreCrCrLfAndLoneLf)
{
    TempDir dir;
    for (const std::string& end : {std::string("\r"), std::string("\r\n"), std::string("\n")}) {
        const auto c = classify(dir, "[autopilot]" + end + "a=1" + end + "Default_Bank_Mode=0" + end + "b=2" + end);
        EXPECT_TRUE(c.found);
        EXPECT_EQ(c.lastLine, "Default_Bank_Mode=0") << "the line ends where it should";
        EXPECT_EQ(c.findBank, 1);
    }
    // Mixed ends, and a last line that the end of the file ends right behind the word.
    for (const std::string word : {"default_pitch", "default_bank"}) {
        const auto mixed = classify(dir, "a\nb\r\nc\r; " + word);
        EXPECT_TRUE(mixed.found) << word;
        EXPECT_EQ(mixed.lastLine, "; " + word);
        EXPECT_EQ(word == "default_pitch" ? mixed.findPitch : mixed.findBank, 3);
    }
}

TEST(Classifier, AWordCutByAReadBlockIsFoundWhole)
{
    // The file is read in blocks of 64 KiB; the boundary may fall anywhere in the line, and in the word. A word
    // missed here lists the aircraft as enabled, and Remove would add a second line.
    constexpr std::size_t kBlock = 64 * 1024;
    TempDir dir;
    for (const std::string word : {"default_pitch", "default_bank", "Default_PITCH", "DEFAULT_bank"}) {
        const bool pitch = word.size() == 13;
        for (const std::string lead : {"", "use_no_"}) {
            const std::string line = lead + word + (lead.empty() ? "_mode=0" : "=1");
            for (std::size_t before = 0; before <= line.size(); ++before) {
                SCOPED_TRACE(line + ", bytes before the boundary: " + std::to_string(before));
                const std::string head = "[autopilot]\r\n";
                const std::string filler(kBlock - before - head.size() - 2, 'x');
                const auto c = classify(dir, head + filler + "\r\n" + line + "\r\nnext=1\r\n");
                ASSERT_TRUE(c.found);
                EXPECT_EQ(c.findPitch, pitch ? static_cast<int>(lead.size() + 1) : 0);
                EXPECT_EQ(c.findBank, pitch ? 0 : static_cast<int>(lead.size() + 1));
                EXPECT_EQ(c.lastLine, line);
            }
        }
    }
}

TEST(Classifier, EmptyFileIsNotAWingLevelerFile)
{
    TempDir dir;
    Classification c;
    c.found = true; // a verdict left from an earlier aircraft must not survive
    c.lastLine = "previous";
    writeBytes(dir.path() / "aircraft.cfg", "");
    classifyFile(dir.file("aircraft.cfg"), c);
    EXPECT_TRUE(c.empty);
    EXPECT_FALSE(c.found);
    EXPECT_FALSE(c.anyLineRead);
    EXPECT_EQ(c.lastLine, "previous");
}

TEST(Classifier, StopsReadingAtTheFirstWingLevelerLine)
{
    TempDir dir;
    std::string bytes = "[autopilot]\r\ndefault_pitch_mode=0\r\n";
    while (bytes.size() < 1024 * 1024)
        bytes += "some_other_key=1\r\n";
    writeBytes(dir.path() / "aircraft.cfg", bytes);
    FaultyFileOps ops;
    Classification c;
    classifyFile(dir.file("aircraft.cfg"), c, ops);
    EXPECT_TRUE(c.found);
    const auto reads = std::count(ops.log().begin(), ops.log().end(), "read");
    EXPECT_EQ(reads, 1) << "a megabyte file was read past its first buffer";
    EXPECT_TRUE(ops.openHandles().empty());
}

TEST(Classifier, FailuresCarryTheirNumberAndHowFarReadingGot)
{
    TempDir dir;
    {
        Classification c;
        c.lastLine = "before";
        try {
            classifyFile(dir.file("aircraft.cfg"), c);
            FAIL() << "a missing file classified";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), vantrel::os::err::FileNotFound);
            EXPECT_EQ(e.report(), "Error 53 File not found");
        }
        EXPECT_FALSE(c.opened) << "the failure was at opening";
        EXPECT_EQ(c.lastLine, "before");
        try {
            classifyFile(dir.file("gone") + "/aircraft.cfg", c);
            FAIL() << "a file in a missing folder classified";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), vantrel::os::err::PathNotFound);
        }
        // The same failures for a file opened in its folder held open, the folder removed in between too.
        const std::string gone = dir.file("gone");
        std::filesystem::create_directory(gone);
        OpenFolder folder;
        hold(folder, gone);
        for (const bool removed : {false, true}) {
            if (removed)
                std::filesystem::remove(gone);
            try {
                classifyFileIn(folder, "aircraft.cfg", gone + "/aircraft.cfg", c);
                FAIL() << "a missing file classified";
            } catch (const AppError& e) {
                EXPECT_EQ(e.number(), removed ? vantrel::os::err::PathNotFound : vantrel::os::err::FileNotFound);
            }
            EXPECT_FALSE(c.opened);
        }
    }
    {
        // A read failure in the second buffer: the lines of the first were tested and the last complete one
        // is reported; the file is closed.
        std::string bytes;
        int n = 0;
        while (bytes.size() < 64 * 1024)
            bytes += "key" + std::to_string(n++) + "=1\r\n";
        bytes += "tail=1\r\n";
        writeBytes(dir.path() / "aircraft.cfg", bytes);
        const auto lines = vantrel::test::splitLines(bytes.substr(0, 64 * 1024));
        const std::string lastComplete = bytes[64 * 1024 - 1] == '\n' ? lines.back() : lines[lines.size() - 2];

        FaultyFileOps ops(3, std::make_error_code(std::errc::io_error)); // open, read, read
        Classification c;
        try {
            classifyFile(dir.file("aircraft.cfg"), c, ops);
            FAIL() << "the read error went unnoticed";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), vantrel::os::err::DeviceIO);
        }
        EXPECT_TRUE(c.opened);
        EXPECT_TRUE(c.anyLineRead);
        EXPECT_FALSE(c.found);
        EXPECT_EQ(c.lastLine, lastComplete);
        EXPECT_TRUE(ops.openHandles().empty()) << "the file stayed open after the failure";
        EXPECT_FALSE(ops.misused());
    }
}
