// The selection list's keys, the highlight read back before Modify, and long work that keeps the window alive.
#include "FormTestSupport.h"

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;
using form::ListMove;

class SelectionWorkTest : public FormTest
{
protected:
    // Aircraft named after `names`, wing leveler enabled.
    Installation fleet(const Entries& names)
    {
        Installation sim = makeInstallation(work_ / "Sim");
        for (const std::string& name : names)
            sim.addAircraft(name, plainCfg(name));
        return sim;
    }
};

TEST_F(SelectionWorkTest, KeysMoveTheCurrentEntryAndSelectNothing)
{
    startIn(fleet({"Alpha", "Bravo", "Beta", "Charlie", "Delta", "Echo", "Foxtrot", "bingo"}));
    ASSERT_EQ(list2Entries(), (Entries{"Alpha", "Beta", "bingo", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"}));
    // Each step starts where the one before left the current entry (a fresh list starts at 0).
    struct Step
    {
        std::function<void()> key;
        int current;
    };
    const auto move = [this](ListMove to, int rows) { return [this, to, rows] { form().List2_Move(to, rows); }; };
    const auto letter = [this](const char* typed) { return [this, typed] { form().List2_TypeLetter(typed); }; };
    const Step steps[] = {
        {move(ListMove::Up, 4), 0},       {move(ListMove::Down, 4), 1},     {move(ListMove::PageDown, 4), 4},
        {move(ListMove::PageDown, 4), 7}, {move(ListMove::PageDown, 4), 7}, {move(ListMove::PageUp, 4), 4},
        {move(ListMove::PageUp, 1), 3},   {move(ListMove::Home, 4), 0},     {move(ListMove::End, 4), 7},
        {letter("b"), 1},                 {letter("B"), 2},                 {letter("b"), 3},
        {letter("b"), 1},                 {letter("z"), 1},                 {letter("e"), 6},
        {letter("a"), 0},
    };
    int index = 0;
    for (const Step& step : steps) {
        const int rendersBefore = view_.renders;
        step.key();
        EXPECT_EQ(state().list2Current, step.current) << "step " << index;
        EXPECT_EQ(view_.drawn.list2Current, step.current) << "step " << index << " drawn";
        EXPECT_EQ(view_.renders, rendersBefore + 1) << "step " << index;
        EXPECT_TRUE(selectedEntries().empty()) << "step " << index;
        ++index;
    }
    EXPECT_EQ(buttons(), "011");
    // Space after the keys toggles the entry they reached.
    form().List2_Toggle(state().list2Current);
    EXPECT_EQ(selectedEntries(), Entries{"Alpha"});
}

TEST_F(SelectionWorkTest, ModifyChangesNothingWhenTheListShowsAnotherSelection)
{
    Installation sim = fleet({"Alpha", "Bravo", "Charlie"});
    startIn(sim);
    form().List2_Toggle(1);
    ASSERT_EQ(buttons(), "111");
    const std::uint64_t revision = state().selectionRevision;
    for (const std::vector<int>& shown : {std::vector<int>{}, {0}, {0, 1}, {2}}) {
        view_.highlight = [shown] { return shown; };
        form().cmdYes_Click();
        for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
            EXPECT_EQ(readFile(sim.cfgPath(name)), plainCfg(name)) << name;
            EXPECT_FALSE(fs::exists(sim.aircraftFolder / name / "aircraftcfg.bak")) << name;
        }
    }
    ASSERT_EQ(view_.messages.size(), 4u);
    EXPECT_EQ(view_.messages[0], "Vantrel|The list does not show the aircraft selected. Nothing was modified: please "
                                 "select the aircraft again.");
    EXPECT_EQ(view_.icons[0], form::MessageIcon::Warning);
    EXPECT_GT(view_.drawn.selectionRevision, revision) << "the list is drawn again from the program's selection";
    EXPECT_EQ(selectedEntries(), Entries{"Bravo"});
    EXPECT_EQ(view_.beeps, 0);

    // Shown as held, Modify goes ahead.
    view_.highlight = nullptr;
    form().cmdYes_Click();
    EXPECT_NE(readFile(sim.cfgPath("Bravo")), plainCfg("Bravo"));
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), plainCfg("Alpha"));
    EXPECT_EQ(list2Entries(), (Entries{"Alpha", "Charlie"}));
}

TEST_F(SelectionWorkTest, LongWorkLetsTheWindowRespondBetweenAircraftAndQuitEndsItThere)
{
    Entries names;
    for (char c = 'A'; c <= 'H'; ++c)
        names.push_back(std::string("Plane ") + c);
    Installation sim = fleet(names);
    startIn(sim);
    form().setResponseInterval(std::chrono::milliseconds(0));

    // A scan: the window handles its messages before each aircraft, the list's title counting those listed.
    view_.responsiveTitles.clear();
    form().cmdAll_Click();
    ASSERT_EQ(view_.responsiveTitles.size(), names.size());
    EXPECT_EQ(view_.responsiveTitles.front(), "Aircraft with Wing Leveler Enabled: 0");
    EXPECT_EQ(view_.responsiveTitles.back(), "Aircraft with Wing Leveler Enabled: 7");
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 8") << "its own title once the list is built";
    EXPECT_FALSE(view_.working);

    // Modify: the title counts the aircraft still listed down; each aircraft is whole on disk whenever the window
    // runs; Quit asked for at the third ends the work there, with the settings saved.
    std::vector<int> modifiedAtEachResponse;
    view_.responsiveTitles.clear();
    view_.whileResponsive = [&] {
        int modified = 0;
        for (const std::string& name : names) {
            const std::string now = readFile(sim.cfgPath(name));
            EXPECT_TRUE(now == plainCfg(name) || now == modifiedCfg(name)) << name;
            modified += now == modifiedCfg(name) ? 1 : 0;
        }
        modifiedAtEachResponse.push_back(modified);
        if (modifiedAtEachResponse.size() == 3)
            form().Form_Unload();
    };
    form().cmdYes_Click();
    EXPECT_EQ(modifiedAtEachResponse, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(view_.responsiveTitles, (Entries{"Aircraft with Wing Leveler Enabled: 8",
                                               "Aircraft with Wing Leveler Enabled: 7",
                                               "Aircraft with Wing Leveler Enabled: 6"}));
    EXPECT_EQ(view_.ends, 1);
    EXPECT_EQ(readFile(sim.cfgPath("Plane C")), plainCfg("Plane C")) << "nothing after Quit";
    EXPECT_EQ(readFile(settingsPath()).substr(0, 3), "3\r\n");
}

} // namespace
} // namespace vantrel::test
