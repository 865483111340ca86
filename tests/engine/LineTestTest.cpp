#include "engine/LineTest.h"
#include "engine/WordScanner.h"

#include <gtest/gtest.h>

#include <string>

using vantrel::engine::isAutopilotHeader;
using vantrel::engine::testLine;
using vantrel::engine::WordScanner;

TEST(LineTest, FindsBothWordsAnywhereIgnoringAsciiCaseOnly)
{
    struct Case
    {
        std::string line;
        int pitch;
        int bank;
    };
    const Case cases[] = {
        {"default_bank_mode=0", 0, 1},
        {"default_pitch_mode=0", 1, 0},
        {"use_no_default_bank=1", 0, 8},
        {"use_no_default_pitch=1", 8, 0},
        {"DEFAULT_BANK_MODE=0", 0, 1},
        {"// Default_Pitch is off; default_bank too", 4, 26},
        {"default_pitch default_pitch", 1, 0},
        {"defaultbank default-pitch default bank", 0, 0},
        {"", 0, 0},
        {"[autopilot]", 0, 0},
        // Only ASCII letters fold: a dotless capital I (UTF-8) or a Latin-1 byte is no letter of the words.
        {"default_\xC4\xB0tch default_b\xC1nk", 0, 0},
        {std::string("\0default_bank", 13), 0, 2},
    };
    for (const Case& c : cases) {
        const auto p = testLine(c.line);
        EXPECT_EQ(p.findPitch, c.pitch) << c.line;
        EXPECT_EQ(p.findBank, c.bank) << c.line;
        EXPECT_EQ(p.isWingLeveler(), c.pitch > 0 || c.bank > 0) << c.line;
    }
}

TEST(LineTest, PositionsAreNotLimitedTo16Bits)
{
    const std::string line = std::string(40000, 'x') + "Default_Bank" + std::string(30000, 'y') + "DEFAULT_PITCH";
    const auto p = testLine(line);
    EXPECT_EQ(p.findBank, 40001);
    EXPECT_EQ(p.findPitch, 40000 + 12 + 30000 + 1);
}

TEST(LineTest, WordsAcrossPieceBoundariesAreFoundAtTheirFirstPosition)
{
    const std::string line = "abc default_pitch xyz default_bank, default_bank";
    for (std::size_t cut1 = 0; cut1 <= line.size(); ++cut1) {
        for (std::size_t cut2 = cut1; cut2 <= line.size(); cut2 += 3) {
            WordScanner scanner;
            scanner.feed(std::string_view(line).substr(0, cut1));
            scanner.feed(std::string_view(line).substr(cut1, cut2 - cut1));
            scanner.feed(std::string_view(line).substr(cut2));
            ASSERT_EQ(scanner.findPitch(), 5) << cut1 << "," << cut2;
            ASSERT_EQ(scanner.findBank(), 23) << cut1 << "," << cut2;
        }
    }
    // One byte at a time, and a reset between lines forgets the previous line.
    WordScanner scanner;
    for (char c : std::string("xxdefault_bankx"))
        scanner.feed(std::string_view(&c, 1));
    EXPECT_EQ(scanner.findBank(), 3);
    scanner.reset();
    scanner.feed("default_");
    EXPECT_FALSE(scanner.found());
    scanner.feed("pitch");
    EXPECT_EQ(scanner.findPitch(), 1);
    // A word cut by the scanner's own 64 KiB chunking of a long piece.
    for (std::size_t start = 65536 - 13; start <= 65536; ++start) {
        std::string longLine(70000, 'q');
        longLine.replace(start, 13, "default_pitch");
        EXPECT_EQ(testLine(longLine).findPitch, static_cast<int>(start + 1)) << start;
    }
}

TEST(LineTest, AutopilotHeaderLooksAtTheFirstElevenCharactersOnly)
{
    EXPECT_TRUE(isAutopilotHeader("[autopilot]"));
    EXPECT_TRUE(isAutopilotHeader("[AutoPilot]"));
    EXPECT_TRUE(isAutopilotHeader("[AUTOPILOT]  ; the section"));
    EXPECT_TRUE(isAutopilotHeader("[autopilot]// comment"));
    EXPECT_FALSE(isAutopilotHeader(" [autopilot]"));
    EXPECT_FALSE(isAutopilotHeader("\t[autopilot]"));
    EXPECT_FALSE(isAutopilotHeader("[autopilot"));
    EXPECT_FALSE(isAutopilotHeader("[auto pilot]"));
    EXPECT_FALSE(isAutopilotHeader(""));
    EXPECT_FALSE(isAutopilotHeader("autopilot]"));
}
