// The design tables of the three windows and the catalogue of their texts.
#include "layout/Layout.h"
#include "layout/Order.h"
#include "text/Catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel::test {
namespace {

std::vector<std::string> names(const std::vector<const layout::Control*>& rows)
{
    std::vector<std::string> out;
    for (const layout::Control* row : rows)
        out.emplace_back(row->name);
    return out;
}

// Where rectangles overlap, the click goes to the control on top: the option buttons over one another from left
// to right, the selection list over its title, every button and list over the labels, the frames at the bottom.
TEST(Layout, MainWindowStacksAndTabsAsDesigned)
{
    EXPECT_EQ(names(layout::stackingTopFirst(layout::kMain)),
              (std::vector<std::string>{"cmdQuit", "cmdNo", "cmdAll", "cmdYes", "Dir1", "Drive1", "List2", "Option3",
                                        "Option2", "Option1", "Label4", "Label1", "Label3", "Label2", "frmDriveDialog",
                                        "frmLeveler"}));
    EXPECT_EQ(names(layout::tabOrder(layout::kMain)),
              (std::vector<std::string>{"File1", "Dir1", "Drive1", "cmdYes", "cmdNo", "cmdQuit", "List1", "List2",
                                        "cmdAll", "Option1", "Option2", "Option3", "Label4"}));
    EXPECT_EQ(names(layout::tabOrder(layout::kAdvanced)), (std::vector<std::string>{"chkBank", "chkPitch", "cmdDone"}));
    EXPECT_EQ(names(layout::tabOrder(layout::kAbout)), (std::vector<std::string>{"cmdOK", "cmdSysInfo"}));
}

// Every control lies inside its container, whose row comes before it and is a frame; names are unique.
TEST(Layout, EveryControlLiesInsideItsContainer)
{
    for (const layout::Window* window : {&layout::kMain, &layout::kAdvanced, &layout::kAbout}) {
        std::vector<std::string> seen;
        for (const layout::Control& row : *window) {
            for (const std::string& name : seen)
                EXPECT_NE(name, row.name) << window->name;
            seen.emplace_back(row.name);
            int width = window->clientWidth;
            int height = window->clientHeight;
            if (row.parent != nullptr) {
                const layout::Control& parent = layout::control(*window, row.parent);
                EXPECT_EQ(parent.kind, layout::Kind::Frame) << row.name;
                EXPECT_LT(&parent, &row) << row.name << " comes after its frame";
                width = parent.rect.width;
                height = parent.rect.height;
            }
            EXPECT_GE(row.rect.left, 0) << row.name;
            EXPECT_GE(row.rect.top, 0) << row.name;
            EXPECT_LE(row.rect.left + row.rect.width, width) << row.name;
            EXPECT_LE(row.rect.top + row.rect.height, height) << row.name;
        }
    }
}

// The fixed texts as the user reads them, byte for byte.
TEST(Catalogue, HoldsTheWindowsTextsExactly)
{
    const struct
    {
        const char* control;
        const layout::Window& window;
        const char* caption;
    } captions[] = {
        {"frmLeveler", layout::kMain, " Autopilot Wing Leveler "},
        {"Option1", layout::kMain, "Remove"},
        {"Option2", layout::kMain, "Restore"},
        {"Option3", layout::kMain, "Advanced"},
        {"frmDriveDialog", layout::kMain, " Aircraft Directory: "},
        {"Label1", layout::kMain, "Please Select  Flight Simulator's Aircraft Directory"},
        {"cmdYes", layout::kMain, "Modify"},
        {"cmdAll", layout::kMain, "All"},
        {"cmdNo", layout::kMain, "Clear"},
        {"cmdQuit", layout::kMain, "Quit"},
        {"Label4", layout::kMain, "About"},
        {"frmAdvanced", layout::kAdvanced, "Advanced Options:"},
        {"Label1", layout::kAdvanced, "Label1"},
        {"chkBank", layout::kAdvanced, "Remove Default Bank"},
        {"chkPitch", layout::kAdvanced, "Remove Default Pitch"},
        {"cmdDone", layout::kAdvanced, "Done"},
        {"cmdSysInfo", layout::kAbout, "&System Info..."},
        {"cmdOK", layout::kAbout, "OK"},
    };
    for (const auto& expected : captions)
        EXPECT_EQ(text::get(layout::control(expected.window, expected.control).caption), expected.caption)
            << expected.control;
    EXPECT_EQ(text::get(layout::kMain.title), "Vantrel");
    EXPECT_EQ(text::get(layout::kAdvanced.title), "Advanced Options");
    EXPECT_EQ(text::get(text::Id::AdvancedInstruction),
              "Please select the default(s) you wish removed from Flight Simulator's Auto Pilot.");
    EXPECT_EQ(text::get(text::Id::NoOptionChosen), "You must select one or both options");
    EXPECT_EQ(text::get(text::Id::SysInfoUnavailable), "System Information Is Unavailable At This Time");
    EXPECT_EQ(text::get(text::Id::ErrPathFileAccess), "Path/File access error");
    EXPECT_EQ(text::get(text::Id::None), "");
}

} // namespace
} // namespace vantrel::test
