// The Modify command end to end: selection, the rewrite, the rebuilt list, Restore.
#include "FormTestSupport.h"

#include <algorithm>
#include <chrono>

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;
const std::string kWorkedExample = "A=1\r\n[autopilot]\r\nB=2\r\nC=3\r\n[D]\r\n";

class ModifyTest : public FormTest
{
protected:
    Installation fleet(const std::string& executable = "fs9.exe")
    {
        Installation sim = makeInstallation(work_ / "Sim", executable);
        sim.addAircraft("Alpha", kWorkedExample);
        sim.addAircraft("Bravo", "[General]\nperformance=x\n[Autopilot] // section\nmax_bank=25");
        sim.addAircraft("Charlie", plainCfg());
        sim.addAircraft("Delta", plainCfg("Delta"));
        return sim;
    }
    bool hasLeftovers(const Installation& sim)
    {
        for (const auto& item : fs::recursive_directory_iterator(sim.aircraftFolder)) {
            if (item.path().filename().u8string().find(".tmp") != std::string::npos)
                return true;
        }
        return false;
    }
};

TEST_F(ModifyTest, TypicalRequestEndToEnd)
{
    Installation sim = fleet();
    const std::string bravoBefore = readFile(sim.cfgPath("Bravo"));
    startIn(sim);
    ASSERT_EQ(list2Entries(), (Entries{"Alpha", "Bravo", "Charlie", "Delta"}));
    form().List2_Toggle(0);
    form().List2_Toggle(1);
    form().cmdYes_Click();

    EXPECT_EQ(readFile(sim.cfgPath("Alpha")),
              "A=1\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\nB=2\r\nC=3\r\n[D]\r\n");
    EXPECT_EQ(readFile(sim.cfgPath("Bravo")), "[General]\r\nperformance=x\r\n[Autopilot] // section\r\n"
                                              "default_bank_mode=0\r\ndefault_pitch_mode=0\r\nmax_bank=25\r\n");
    EXPECT_EQ(readFile(sim.aircraftFolder / "Alpha" / "aircraftcfg.bak"), kWorkedExample);
    EXPECT_EQ(readFile(sim.aircraftFolder / "Bravo" / "aircraftcfg.bak"), bravoBefore);
    EXPECT_FALSE(hasLeftovers(sim));
    EXPECT_EQ(readFile(sim.cfgPath("Charlie")), plainCfg()) << "unselected aircraft untouched";

    EXPECT_EQ(list2Entries(), (Entries{"Charlie", "Delta"}));
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 2");
    EXPECT_EQ(buttons(), "000");
    EXPECT_EQ(view_.beeps, 1);
    EXPECT_FALSE(view_.busy);
    EXPECT_TRUE(view_.messages.empty());

    // Restore gives back the lines as they were, each ended by CR LF.
    form().chooseOption(2);
    ASSERT_EQ(list2Entries(), (Entries{"Alpha", "Bravo"}));
    form().cmdAll_Click();
    form().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), kWorkedExample);
    EXPECT_EQ(readFile(sim.cfgPath("Bravo")),
              "[General]\r\nperformance=x\r\n[Autopilot] // section\r\nmax_bank=25\r\n");
    // Bravo's backup held 100 bytes or fewer, so it was made afresh: the file just before this rewrite.
    EXPECT_NE(readFile(sim.aircraftFolder / "Bravo" / "aircraftcfg.bak").find("default_bank_mode=0"),
              std::string::npos);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Restored"});
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Disabled: 0") << "no stale count beside the message";
}

TEST_F(ModifyTest, FS2000LinesChosenBoxesAndNoSelection)
{
    Installation sim = fleet("fs2000.exe");
    startIn(sim, "2"); // bank only
    form().List2_Toggle(0);
    form().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), "A=1\r\n[autopilot]\r\nuse_no_default_bank=1\r\nB=2\r\nC=3\r\n[D]\r\n");

    // No selection: nothing is touched, the list is still rebuilt, the buttons hide and the beep sounds.
    const std::string charlie = readFile(sim.cfgPath("Charlie"));
    form().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath("Charlie")), charlie);
    EXPECT_FALSE(fs::exists(sim.aircraftFolder / "Charlie" / "aircraftcfg.bak"));
    EXPECT_EQ(list2Entries(), (Entries{"Bravo", "Charlie", "Delta"}));
    EXPECT_EQ(view_.beeps, 2);
}

TEST_F(ModifyTest, VanishedAircraftStopsTheRunWithAnAppendError)
{
    Installation sim = fleet();
    startIn(sim);
    form().cmdAll_Click();
    fs::remove(sim.cfgPath("Bravo"));
    form().cmdYes_Click();

    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0], "Append Error|Error 53 File not found");
    EXPECT_EQ(view_.icons[0], form::MessageIcon::Warning);
    EXPECT_FALSE(view_.busyDuringMessage[0]) << "no hourglass over the box";
    EXPECT_NE(readFile(sim.cfgPath("Alpha")), kWorkedExample) << "the aircraft before it was done";
    EXPECT_EQ(readFile(sim.cfgPath("Charlie")), plainCfg()) << "the ones after it stay untouched";
    EXPECT_EQ(list2Entries().size(), 4u) << "the list is not rebuilt";
    EXPECT_EQ(selectedEntries().size(), 4u);
    EXPECT_EQ(buttons(), "000");
    EXPECT_EQ(view_.beeps, 1);
    EXPECT_FALSE(view_.busy);

    // The next Modify works.
    form().chooseOption(2);
    form().chooseOption(1);
    form().cmdAll_Click();
    form().cmdYes_Click();
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
}

TEST_F(ModifyTest, NeitherModeChosenTouchesNothing)
{
    Installation sim = fleet();
    startIn(sim);
    form().cmdAll_Click();
    // "Advanced" holds the choice while its dialog is open; Modify is pressed from there.
    view_.inAdvanced = [&] { form().cmdYes_Click(); };
    form().chooseOption(3);
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), kWorkedExample);
    EXPECT_FALSE(fs::exists(sim.aircraftFolder / "Alpha" / "aircraftcfg.bak"));
}

TEST_F(ModifyTest, ConfigurationNamedInCapitalsKeepsItsName)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", kWorkedExample, "Aircraft.CFG");
    startIn(sim);
    form().cmdAll_Click();
    form().cmdYes_Click();
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(sim.aircraftFolder / "Cub"))
        names.push_back(item.path().filename().u8string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Entries{"Aircraft.CFG", "aircraftcfg.bak"}));
    EXPECT_NE(readFile(sim.aircraftFolder / "Cub" / "Aircraft.CFG").find("default_bank_mode=0"), std::string::npos);
}

// An aircraft without an [autopilot] header, or with an empty aircraft.cfg, is in the Remove list (its wing leveler is
// not off), but Remove has nothing to insert: Modify leaves its folder exactly as it was (bytes, time, no backup, no
// temporary file), and the aircraft stays in the list.
TEST_F(ModifyTest, AircraftWithNothingToInsertIsLeftAsItIsAndStaysListed)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Alpha", kWorkedExample);
    sim.addAircraft("Empty", "");
    sim.addAircraft("Glider", "[fltsim.0]\ntitle=Glider\nsim=glider\n");
    // A time long ago, as the file system keeps it (some keep whole seconds only).
    fs::last_write_time(sim.cfgPath("Empty"), fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
    const auto longAgo = fs::last_write_time(sim.cfgPath("Empty"));
    fs::last_write_time(sim.cfgPath("Glider"), longAgo);
    startIn(sim);
    ASSERT_EQ(list2Entries(), (Entries{"Alpha", "Empty", "Glider"}));
    form().cmdAll_Click();
    form().cmdYes_Click();

    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(readFile(sim.cfgPath("Empty")), "");
    EXPECT_EQ(readFile(sim.cfgPath("Glider")), "[fltsim.0]\ntitle=Glider\nsim=glider\n");
    for (const char* name : {"Empty", "Glider"}) {
        EXPECT_EQ(fs::last_write_time(sim.cfgPath(name)), longAgo) << name;
        std::vector<std::string> files;
        for (const auto& item : fs::directory_iterator(sim.aircraftFolder / name))
            files.push_back(item.path().filename().u8string());
        EXPECT_EQ(files, Entries{"aircraft.cfg"}) << name << ": no backup, no temporary file";
    }
    EXPECT_TRUE(fs::exists(sim.aircraftFolder / "Alpha" / "aircraftcfg.bak"));
    EXPECT_EQ(list2Entries(), (Entries{"Empty", "Glider"}));
}

} // namespace
} // namespace vantrel::test
