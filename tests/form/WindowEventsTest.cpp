// The mode options with the Advanced dialog, the About dialog and the end of the program.
#include "FormTestSupport.h"

#include "os/SysInfo.h"
#include "os/SysInfoPlatform.h"

#include "layout/Layout.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;

class WindowEventsTest : public FormTest
{
};

TEST_F(WindowEventsTest, DoneRefusesNeitherBoxAndOtherwiseReturnsToTheLastModeWithAFreshList)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    sim.addAircraft("Done", modifiedCfg());
    startIn(sim);

    int doneRuns = 0;
    view_.inAdvanced = [&] {
        EXPECT_EQ(state().option, 3);
        // Neither box: the message, and the dialog stays open.
        form().chkBank_Set(0);
        form().chkPitch_Set(0);
        form().cmdDone_Click();
        EXPECT_TRUE(view_.advancedShown);
        ASSERT_EQ(view_.messages.size(), 1u);
        EXPECT_EQ(view_.messages[0], "Options|You must select one or both options");
        EXPECT_EQ(view_.icons[0], form::MessageIcon::Information);
        // One box: closes, and the mode chosen last is chosen again, which rescans.
        form().chkPitch_Set(1);
        sim.addAircraft("New", plainCfg());
        form().cmdDone_Click();
        EXPECT_FALSE(view_.advancedShown);
        ++doneRuns;
    };
    form().chooseOption(3);
    EXPECT_EQ(doneRuns, 1);
    EXPECT_EQ(view_.refreshes, 1);
    EXPECT_EQ(state().option, 1);
    EXPECT_EQ(list2Entries(), (Entries{"Cub", "New"}));
    EXPECT_EQ(state().chkBank, 0) << "the boxes keep their values for the next opening, Modify and Quit";
    EXPECT_EQ(state().chkPitch, 1);

    // "Advanced" cannot be chosen in Restore mode; from Restore the dialog is reached through Remove only.
    form().chooseOption(2);
    form().chooseOption(3);
    EXPECT_EQ(view_.advancedRuns, 1);
    EXPECT_EQ(state().option, 2);
}

// What a window shows of the state: the option, the list with its selection, the list's title and the buttons.
std::string shown(const form::WindowState& state)
{
    std::string text = std::to_string(state.option) + state.label3;
    for (const form::ListEntry& entry : state.list2)
        text += (entry.selected ? "|+" : "|") + entry.text;
    return text + (state.cmdYesVisible ? "|Y" : "|") + (state.cmdNoVisible ? "N" : "") +
           (state.cmdAllVisible ? "A" : "");
}

// A window forwards an event and draws nothing itself: each handler renders once, when it ends, and a handler run
// inside another one renders nothing.
TEST_F(WindowEventsTest, EachHandlerRendersOnceWhenItEnds)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    sim.addAircraft("Done", modifiedCfg());
    int before = view_.renders;
    startIn(sim); // the navigation and the scan run inside the load handler
    EXPECT_EQ(view_.renders - before, 1);

    view_.inAdvanced = [&] {
        EXPECT_EQ(view_.drawn.option, 3) << "the dialog shows over a window drawn just before";
        const int opened = view_.renders;
        form().cmdDone_Click(); // chooses Remove again inside, which rescans
        EXPECT_EQ(view_.renders - opened, 1);
        EXPECT_EQ(shown(view_.drawn), shown(state()));
    };
    const std::vector<std::pair<std::string, std::function<void()>>> events{
        {"List2_Toggle", [&] { form().List2_Toggle(0); }},   {"List2_SetCurrent", [&] { form().List2_SetCurrent(-1); }},
        {"cmdAll_Click", [&] { form().cmdAll_Click(); }},    {"cmdYes_Click", [&] { form().cmdYes_Click(); }},
        {"chooseOption 2", [&] { form().chooseOption(2); }}, {"cmdNo_Click", [&] { form().cmdNo_Click(); }},
        {"chooseOption 1", [&] { form().chooseOption(1); }}, {"chooseOption 3", [&] { form().chooseOption(3); }},
        {"chkBank_Set", [&] { form().chkBank_Set(0); }},     {"Drive1_DropDown", [&] { form().Drive1_DropDown(); }},
        {"Dir1_Open", [&] { form().Dir1_Open(0); }},
    };
    for (const auto& [name, event] : events) {
        before = view_.renders;
        event();
        // "Advanced": once under its dialog, once as Done ends inside the dialog, once as the choice ends.
        EXPECT_EQ(view_.renders - before, name == "chooseOption 3" ? 3 : 1) << name;
        EXPECT_EQ(shown(view_.drawn), shown(state())) << name;
    }
    EXPECT_EQ(view_.advancedRuns, 1);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"}) << "Modify switched Cub's off";

    // Quit draws nothing: the program ends.
    before = view_.renders;
    form().cmdQuit_Click();
    EXPECT_EQ(view_.renders, before);
}

// A registry without the System Information tool, and a program starter that records.
class NoSysInfo : public os::SysInfoPlatform
{
public:
    std::int32_t openKey(std::uint32_t, const std::string&, std::uint32_t, os::RegistryHandle&) override { return 2; }
    std::int32_t queryValue(os::RegistryHandle, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override
    {
        return 2;
    }
    void closeKey(os::RegistryHandle) override {}
    std::string findFile(const std::string&) override { return {}; }
    bool startProgram(const std::string& path) override
    {
        started.push_back(path);
        return false;
    }
    std::vector<std::string> started;
};

TEST_F(WindowEventsTest, AboutOpensAFreshDialogEachTimeAndSaysWhenSystemInformationIsMissing)
{
    NoSysInfo sysInfo;
    form_ = std::make_unique<form::frmVantrel>(view_, &sysInfo, &machine_);
    form().Form_Load();
    view_.inAbout = [&] { form().cmdSysInfo_Click(); };
    form().Label4_Click();
    form().Label4_Click();
    EXPECT_EQ(view_.aboutRuns, 2);
    ASSERT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(view_.messages[0], "Vantrel|System Information Is Unavailable At This Time");
    EXPECT_EQ(view_.icons[0], form::MessageIcon::None);
    EXPECT_TRUE(sysInfo.started.empty());

    const form::AboutText about = form::aboutText();
    EXPECT_EQ(about.caption, "About Vantrel");
    EXPECT_EQ(about.version, "Version 1.5.3");
    EXPECT_EQ(std::count(about.description.begin(), about.description.end(), '\r'), 7) << "six lines in three groups";
    destroyForm();
}

TEST_F(WindowEventsTest, EveryWayOutRunsQuitOnce)
{
    Installation sim = makeInstallation(work_ / "Sim");
    const std::string saved = "3\r\n" + drive() + "\r\n" + text(sim.aircraftFolder) + "\r\n";
    for (int way = 0; way < 3; ++way) {
        startIn(sim);
        fs::remove(settingsPath());
        if (way == 0)
            form().cmdQuit_Click();
        else if (way == 1)
            form().Form_Unload();
        else
            form_.reset(); // the window object goes away: Form_Terminate
        EXPECT_EQ(readFile(settingsPath()), saved) << way;
        EXPECT_EQ(view_.ends, 1) << way;
        if (form_)
            form().Form_Unload();
        EXPECT_EQ(view_.ends, 1) << way;
        view_.ends = 0;
    }
}

// The wiring table: every control that acts is connected once, by an event its kind sends, and nothing else is.
TEST_F(WindowEventsTest, EveryControlThatActsIsWiredOnceByAnEventOfItsKind)
{
    using form::Event;
    using layout::Kind;
    const std::map<Kind, std::set<Event>> sends = {
        {Kind::OptionButton, {Event::Choose}},
        {Kind::CheckBox, {Event::Tick}},
        {Kind::CommandButton, {Event::Click}},
        {Kind::Label, {Event::Click}},
        {Kind::DriveList, {Event::Select, Event::DropDown}},
        {Kind::FolderList, {Event::Open}},
        {Kind::ListBox, {Event::Toggle, Event::SetCurrent, Event::Move, Event::TypeLetter}}};
    const layout::Window* windows[] = {&layout::kMain, &layout::kAdvanced, &layout::kAbout};
    std::set<std::tuple<std::string, std::string, Event>> wired;
    for (const form::Wire& wire : form::frmVantrel::wiring()) {
        EXPECT_TRUE(wired.insert({wire.window, wire.control, wire.event}).second) << wire.control << " wired twice";
        const layout::Control* row = nullptr;
        for (const layout::Window* window : windows)
            for (const layout::Control& control : *window)
                if (layout::sameName(window->name, wire.window) && layout::sameName(control.name, wire.control))
                    row = &control;
        ASSERT_NE(row, nullptr) << wire.window << " has no control " << wire.control;
        EXPECT_TRUE(layout::isCreated(*row) && sends.count(row->kind) && sends.at(row->kind).count(wire.event))
            << wire.control;
    }
    // Every button, box and link runs a handler of the program; the About dialog's OK closes its dialog itself.
    for (const layout::Window* window : windows) {
        for (const layout::Control& row : *window) {
            const bool acts = row.kind == Kind::OptionButton || row.kind == Kind::CheckBox ||
                              row.kind == Kind::CommandButton || (row.style & layout::kLink) != 0;
            const auto ofRow = [&](const auto& entry) { return std::get<1>(entry) == row.name; };
            if (acts && !layout::sameName(row.name, "cmdOK")) {
                EXPECT_TRUE(std::any_of(wired.begin(), wired.end(), ofRow)) << row.name << " is not wired";
            }
        }
    }
}

// A window's event runs its handler; an option button's only when it changes the choice.
TEST_F(WindowEventsTest, AWiredEventRunsItsHandlerAndAnOptionOnlyWhenItChangesTheChoice)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    sim.addAircraft("Done", modifiedCfg());
    startIn(sim);

    const form::Wire* restore = form::findWire("frmVantrel", "Option2", form::Event::Choose);
    ASSERT_NE(restore, nullptr);
    form().fire(*restore, {});
    EXPECT_EQ(state().option, 2);
    EXPECT_EQ(form().shared().LastChoice, form::Mode::Restore);
    EXPECT_EQ(list2Entries(), Entries{"Done"});
    const auto revision = state().list2Revision;
    form().fire(*restore, {});
    EXPECT_EQ(state().list2Revision, revision) << "the chosen option is not chosen again";

    form().fire(*form::findWire("frmVantrel", "List2", form::Event::Toggle), form::EventInput::of(0));
    EXPECT_TRUE(state().list2[0].selected);
    EXPECT_TRUE(state().cmdYesVisible);
}

} // namespace
} // namespace vantrel::test
