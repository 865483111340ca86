// The rules by which both windows draw the program's texts.
#include "layout/TextRules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vantrel::test {
namespace {

using layout::FontRole;

TEST(TextRules, EveryLineBreakBecomesTheToolkitsOne)
{
    const struct
    {
        const char* text;
        const char* lineBreak;
        const char* expected;
    } cases[] = {
        {"Error 53\rStep", "\n", "Error 53\nStep"},
        {"Error 53\rStep", "\r\n", "Error 53\r\nStep"},
        {"a\r\nb", "\n", "a\nb"},       // CR LF is one break, not two
        {"a\r\nb", "\r\n", "a\r\nb"},   // and is left as it is
        {"a\n\rb", "\r\n", "a\r\n\r\nb"}, // LF then CR: two breaks
        {"a\r\r\nb\n", "\n", "a\n\nb\n"},
        {"\r", "\r\n", "\r\n"},
        {"no break", "\n", "no break"},
        {"", "\r\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layout::withLineBreaks(c.text, c.lineBreak), c.expected) << c.text;
}

TEST(TextRules, OnlyEastAsianTextNeedsALargerFont)
{
    const struct
    {
        std::u16string text;
        int minimum;
    } cases[] = {
        {u"Cessna 172", 0},
        {u"Ил-14 Аэрофлот", 0},
        {u"Ελληνικά \u2E7F", 0}, // the last character before the East Asian scripts
        {u"\u2E80", 12},
        {u"Zero 零式艦上戦闘機", 12},
        {u"한국어", 12},
        {u"\U00020000", 12}, // beyond U+FFFF: a surrogate pair
        {u"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layout::minimumPixelHeight(c.text), c.minimum) << c.text.size();
}

TEST(TextRules, WindowsDrawsTheDesignFaceOnlyAtTheDesignDpi)
{
    for (const FontRole role : {FontRole::Small, FontRole::SansSerif, FontRole::Title}) {
        const std::string design = layout::faceOf(role).family;
        const auto none = [](const std::string&) { return false; };
        EXPECT_EQ(layout::windowsFace(role, 96, none), design);
        EXPECT_EQ(layout::windowsFace(role, 72, none), design);
        const struct
        {
            std::set<std::string> installed;
            const char* expected;
        } above[] = {
            {{}, "Tahoma"},
            {{"Arial"}, "Arial"},
            {{"Arial", "Tahoma"}, "Tahoma"},
            {{"Tahoma", "Microsoft Sans Serif", design}, "Microsoft Sans Serif"},
        };
        for (const auto& c : above) {
            const auto installed = [&](const std::string& face) { return c.installed.count(face) != 0; };
            EXPECT_EQ(layout::windowsFace(role, 120, installed), c.expected) << design;
            EXPECT_EQ(layout::windowsFace(role, 192, installed), c.expected) << design;
        }
    }
}

TEST(TextRules, StandInsFollowTheDesignFaceOnce)
{
    for (const FontRole role : {FontRole::Small, FontRole::SansSerif, FontRole::Title}) {
        for (const layout::FaceFit fit : {layout::FaceFit::Width, layout::FaceFit::LineHeight}) {
            const std::vector<std::string> faces = layout::standInFaces(role, fit);
            ASSERT_GT(faces.size(), 1u);
            EXPECT_EQ(faces.front(), layout::faceOf(role).family);
            EXPECT_EQ(std::set<std::string>(faces.begin(), faces.end()).size(), faces.size()) << "a face twice";
        }
    }
}

} // namespace
} // namespace vantrel::test
