// Odd files and second clicks through the program's window logic: what the user sees and what lands on disk.
#include "FormTestSupport.h"

#include "support/Watchdog.h"

#include <new>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;

// An aircraft.cfg in UTF-16 without a mark whose title is in Cyrillic: every ASCII byte is followed by a zero, each
// Cyrillic letter stored as 0x0418 + its offset.
std::string unmarkedWide(const std::string& ascii)
{
    std::string out;
    for (const char c : "[fltsim.0]\r\ntitle=") {
        if (c != '\0')
            out += std::string{c, '\0'};
    }
    for (int i = 0; i < 24; ++i)
        out += std::string{static_cast<char>(0x18 + i), '\x04'};
    for (const char c : "\r\n" + ascii)
        out += std::string{c, '\0'};
    return out;
}

class OddFilesFormTest : public FormTest
{
protected:
    std::string lines(const std::string& code, const fs::path& folder)
    {
        return code + "\r\n" + drive() + "\r\n" + text(folder) + "\r\n";
    }
};

// UTF-16 without a mark is reported as "Bad file mode" by the scan, listed in neither mode and never written.
TEST_F(OddFilesFormTest, UnmarkedUtf16IsReportedAndListedInNeitherMode)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Plain", plainCfg());
    const std::string wide = unmarkedWide(plainCfg());
    sim.addAircraft("Wide", wide);
    startIn(sim);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].rfind("Aircraft Cfg File Error|Error 54 Bad file mode\r", 0), 0u);
    EXPECT_EQ(list2Entries(), Entries{"Plain"});
    form().chooseOption(2);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Restored"});
    EXPECT_EQ(readFile(sim.cfgPath("Wide")), wide);
    EXPECT_EQ(fs::directory_iterator(sim.aircraftFolder / "Wide")->path().filename(), "aircraft.cfg");
}

// After an error box the aircraft already rewritten stay listed and selected; a second Modify, or a file changed
// by another program since the scan, never gives a file a second set of lines or takes what is not there.
TEST_F(OddFilesFormTest, SecondModifyGivesNoFileASecondSetOfLines)
{
    Installation sim = makeInstallation(work_ / "Sim");
    for (const char* name : {"Alpha", "Bravo", "Charlie"})
        sim.addAircraft(name, plainCfg(name));
    startIn(sim);
    fs::permissions(sim.cfgPath("Charlie"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    form().cmdAll_Click();
    form().cmdYes_Click();
    ASSERT_EQ(view_.messages, Entries{"Append Error|Error 70 Permission denied"});
    EXPECT_EQ(selectedEntries(), (Entries{"Alpha", "Bravo", "Charlie"})) << "the lists are not rebuilt";
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), modifiedCfg("Alpha"));

    form().List2_Toggle(2); // the user leaves out the read-only one and tries again
    form().cmdYes_Click();
    EXPECT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), modifiedCfg("Alpha"));
    EXPECT_EQ(readFile(sim.cfgPath("Bravo")), modifiedCfg("Bravo"));
    EXPECT_EQ(list2Entries(), Entries{"Charlie"});

    // Restore, with Bravo put back by another program since the scan: nothing of it is touched.
    form().chooseOption(2);
    ASSERT_EQ(list2Entries(), (Entries{"Alpha", "Bravo"}));
    writeFile(sim.cfgPath("Bravo"), "[autopilot]\nmax_bank=25");
    form().cmdAll_Click();
    form().cmdYes_Click();
    EXPECT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), plainCfg("Alpha"));
    EXPECT_EQ(readFile(sim.cfgPath("Bravo")), "[autopilot]\nmax_bank=25");
    fs::permissions(sim.cfgPath("Charlie"), fs::perms::owner_write, fs::perm_options::add);
}

// Where the aircraft folder is not an installation's (no simulator above any "aircraft" folder), Quit saves the
// path up to the first "aircraft" folder on it; a path without one leaves the file alone.
TEST_F(OddFilesFormTest, QuitWithoutASimulatorCutsAtTheFirstAircraftFolder)
{
    const fs::path deep = work_ / "Aircraft" / "Old" / "aircraft" / "Glider";
    fs::create_directories(deep);
    for (const fs::path& shown : {deep, deep.parent_path()}) {
        startUp();
        navigateTo(shown);
        form().cmdQuit_Click();
        EXPECT_EQ(readFile(settingsPath()), lines("3", work_ / "Aircraft"));
    }
}

// The desktop session ends while the Advanced dialog shows neither box ticked: the code in force when the dialog
// opened is saved, so that the next start reads it.
TEST_F(OddFilesFormTest, SessionEndingUnderTheAdvancedDialogKeepsTheCodeInForce)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    startIn(sim, "2");
    view_.inAdvanced = [this] {
        form().chkBank_Set(0);
        form().chkPitch_Set(0);
        form().Form_Unload();
    };
    form().chooseOption(3);
    EXPECT_EQ(readFile(settingsPath()), lines("2", sim.aircraftFolder));
    EXPECT_EQ(view_.ends, 1);
}

// A failure that no procedure expects is reported once, naming it, where the event entered the program; the busy
// pointer, the scan under way and "All" are ended, and the program goes on.
TEST_F(OddFilesFormTest, UnexpectedFailuresAreReportedOnceAndLeaveTheProgramUsable)
{
    const std::filesystem::filesystem_error fileSystem("copy", std::make_error_code(std::errc::no_space_on_device));
    const std::system_error system(std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
    const struct
    {
        std::function<void()> fail;
        std::string report;
    } kinds[] = {
        {[] { throw std::bad_alloc(); }, "Error 7 Out of memory"},
        {[&] { throw fileSystem; }, std::string("Error 51 Internal error\r") + fileSystem.what()},
        {[&] { throw system; }, std::string("Error 51 Internal error\r") + system.what()},
        {[] { throw 42; }, "Error 51 Internal error"},
    };
    for (const auto& kind : kinds) {
        view_.messages.clear();
        form().runEvent(kind.fail);
        EXPECT_EQ(view_.messages, Entries{"Vantrel|" + kind.report});
    }

    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Alpha", plainCfg());
    sim.addAircraft("Bravo", plainCfg());
    sim.addAircraft("Wide", unmarkedWide(plainCfg())); // its box comes in the middle of every scan
    startIn(sim);
    bool failed = false;
    view_.inMessage = [&failed] {
        if (!std::exchange(failed, true))
            throw std::bad_alloc();
    };
    view_.messages.clear();
    form().runEvent([this] { form().cmdAll_Click(); });
    ASSERT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(view_.messages[1], "Vantrel|Error 7 Out of memory");
    EXPECT_FALSE(form().shared().SelectAll);
    form().List2_Toggle(0);
    EXPECT_EQ(buttons(), "111") << "the selection list answers clicks again";

    // Out of memory while Modify shows its box (Bravo, the one aircraft still selected, has gone): the busy pointer
    // goes.
    fs::remove_all(sim.aircraftFolder / "Bravo");
    failed = false;
    view_.messages.clear();
    form().runEvent([this] { form().cmdYes_Click(); });
    ASSERT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(view_.messages[1], "Vantrel|Error 7 Out of memory");
    EXPECT_FALSE(view_.busy);
    form().cmdNo_Click(); // shows the box of the wide file again, not busy
    EXPECT_FALSE(view_.busy);
    EXPECT_EQ(list2Entries(), Entries{"Alpha"});
}

#ifndef _WIN32

// On a file system that tells letter case apart, a folder with both Aircraft.CFG and aircraft.cfg is classified and
// rewritten in the same file, aircraft.cfg: once modified, the aircraft leaves the list.
TEST_F(OddFilesFormTest, ScanAndModifyReadTheSameFileAmongLetterCases)
{
    Installation sim = makeInstallation(work_ / "Sim");
    const fs::path upper = sim.addAircraft("Twin", modifiedCfg("Upper"), "Aircraft.CFG");
    sim.addAircraft("Twin", plainCfg("Lower"));
    startIn(sim);
    ASSERT_EQ(list2Entries(), Entries{"Twin"});
    form().List2_Toggle(0);
    form().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath("Twin")), modifiedCfg("Lower"));
    EXPECT_EQ(readFile(upper), modifiedCfg("Upper"));
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
}

// A pipe where a file belongs never hangs the window: one named Vantrel.ini, or one put in place of an aircraft.cfg
// after the scan, or of the settings' temporary file, is reported like a file that cannot be read.
TEST_F(OddFilesFormTest, PipesNeverHangTheWindow)
{
    const Watchdog watchdog(std::chrono::seconds(20), "the window waited for the other end of a pipe");
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    ASSERT_EQ(::mkfifo(settingsPath().c_str(), 0644), 0);
    startUp();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0], "Load ini Error|Error 75 Path/File access error\rOpening " + text(settingsPath()));

    navigateTo(sim.aircraftFolder);
    form().List2_Toggle(0);
    fs::remove(sim.cfgPath("Cub"));
    ASSERT_EQ(::mkfifo(sim.cfgPath("Cub").c_str(), 0644), 0);
    form().cmdYes_Click();
    EXPECT_EQ(view_.messages.back(), "Append Error|Error 75 Path/File access error");

    ASSERT_EQ(::mkfifo((settingsPath().string() + ".tmp").c_str(), 0644), 0);
    form().cmdQuit_Click();
    EXPECT_EQ(view_.messages.back(), "Vantrel|The settings could not be saved.\rError 75 Path/File access error");
    EXPECT_EQ(view_.ends, 1);
}

// A folder path with a line break cannot be held by the three-line settings file: Quit keeps the folder saved before.
TEST_F(OddFilesFormTest, QuitKeepsTheSavedFolderForAPathWithALineBreak)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    for (const char* name : {"Line\nBreak", "Carriage\rReturn"}) {
        Installation odd = makeInstallation(work_ / name);
        odd.addAircraft("Cub", plainCfg());
        startIn(sim);
        const std::string before = readFile(settingsPath());
        navigateTo(odd.aircraftFolder / "Cub");
        form().cmdQuit_Click();
        EXPECT_EQ(readFile(settingsPath()), before);
    }
}

#endif

} // namespace
} // namespace vantrel::test
