// Navigation to an aircraft folder, the two scans and the selection commands.
#include "FormTestSupport.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "form/Captions.h"
#include "os/Paths.h"
#include "support/Watchdog.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;

class AircraftScanTest : public FormTest
{
protected:
    Installation typical()
    {
        Installation sim = makeInstallation(work_ / "FS9");
        sim.addAircraft("Glider_XL", plainCfg());
        sim.addAircraft("b737", modifiedCfg());
        sim.addAircraft("Cub", plainCfg(), "Aircraft.CFG");
        sim.addFolder("Empty folder");
        sim.addAircraft("CSL", plainCfg());
        sim.addAircraft("Zero", "");
        sim.addAircraft("all aircraft lowercase", plainCfg());
        return sim;
    }
};

TEST_F(AircraftScanTest, NavigationListsTheAircraftOfEachModeInFolderOrder)
{
    Installation sim = typical();
    startUp();
    navigateTo(sim.aircraftFolder);

    EXPECT_EQ(form().shared().MyFile, "fs9.exe");
    // Sorted by name ignoring case; CSL never listed; the empty file has no wing leveler; b737 is modified.
    const Entries expected{"all aircraft lowercase", "Cub", "Glider_XL", "Zero"};
    EXPECT_EQ(list2Entries(), expected);
    Entries folders;
    for (const std::string& name : expected)
        folders.push_back(text(sim.aircraftFolder / name));
    EXPECT_EQ(form().List1(), folders);
    EXPECT_TRUE(selectedEntries().empty());
    EXPECT_EQ(state().list2Current, 0);

    EXPECT_EQ(state().label2, "Total Aircraft: 4") << "seven folders, less three";
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 4");
    EXPECT_TRUE(state().list2Visible && state().label2Visible && state().label3Visible);
    EXPECT_FALSE(state().label1Visible);
    EXPECT_EQ(buttons(), "011");
    EXPECT_TRUE(view_.messages.empty());

    // Restore lists the modified one and disables "Advanced"; Remove enables it again.
    form().chooseOption(2);
    EXPECT_EQ(list2Entries(), Entries{"b737"});
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Disabled: 1");
    EXPECT_EQ(form().shared().LastChoice, form::Mode::Restore);
    EXPECT_FALSE(state().option3Enabled);
    form().chooseOption(1);
    EXPECT_EQ(list2Entries().size(), 4u);
    EXPECT_TRUE(state().option3Enabled);
}

TEST_F(AircraftScanTest, SelectionButtonsFollowClicksAllAndClear)
{
    Installation sim = typical();
    startUp();
    navigateTo(sim.aircraftFolder);

    form().List2_Toggle(1);
    EXPECT_EQ(selectedEntries(), Entries{"Cub"});
    EXPECT_EQ(buttons(), "111");
    form().List2_Toggle(2);
    form().List2_Toggle(1);
    form().List2_Toggle(2);
    EXPECT_TRUE(selectedEntries().empty()) << "a click toggles";
    EXPECT_EQ(buttons(), "011");

    form().cmdAll_Click();
    EXPECT_EQ(selectedEntries(), list2Entries());
    EXPECT_EQ(buttons(), "111");
    EXPECT_FALSE(form().shared().SelectAll);

    form().cmdNo_Click();
    EXPECT_EQ(list2Entries().size(), 4u);
    EXPECT_TRUE(selectedEntries().empty());
    EXPECT_EQ(buttons(), "011");

    // Rescans read the folders again but leave the folder list alone while they are the same, so that a window
    // keeps its scroll position and current entry.
    const std::uint64_t folders = state().Dir1->revision();
    form().chooseOption(2);
    form().chooseOption(1);
    form().cmdAll_Click();
    form().cmdNo_Click();
    EXPECT_EQ(state().Dir1->revision(), folders);

    // Aircraft added on disk since the folder was opened count at the next scan.
    sim.addAircraft("Dash 8", plainCfg());
    form().cmdAll_Click();
    EXPECT_EQ(selectedEntries().size(), 5u);
}

TEST_F(AircraftScanTest, MessageEntryWhenEverythingIsDone)
{
    Installation sim = makeInstallation(work_ / "FS9");
    sim.addAircraft("Done1", modifiedCfg());
    sim.addAircraft("Done2", modifiedCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
    EXPECT_EQ(selectedEntries(), list2Entries());
    EXPECT_TRUE(form().List1().empty());
    EXPECT_EQ(buttons(), "000");
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 0") << "the count agrees with the list";
    form().List2_Toggle(0);
    form().List2_Toggle(0);
    EXPECT_EQ(buttons(), "000") << "the message entry never offers a command";

    form().chooseOption(2);
    EXPECT_EQ(list2Entries(), (Entries{"Done1", "Done2"}));
    form().cmdAll_Click();
    EXPECT_EQ(buttons(), "111");

    // An aircraft whose folder begins with "All Aircraft" is an aircraft like any other.
    sim.addAircraft("All Aircraft Trainer", plainCfg());
    form().chooseOption(1);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft Trainer"});
    EXPECT_EQ(buttons(), "011");
    form().List2_Toggle(0);
    EXPECT_EQ(buttons(), "111");
}

TEST_F(AircraftScanTest, EmptyFolderBeforeAndAfterAnyAircraftWasFound)
{
    Installation empty = makeInstallation(work_ / "Empty");
    empty.addFolder("one");
    empty.addFolder("two");
    Installation full = makeInstallation(work_ / "Full", "FS2000.EXE");
    full.addAircraft("Cub", plainCfg());
    startUp();

    navigateTo(empty.aircraftFolder);
    EXPECT_TRUE(list2Entries().empty());
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 0");
    EXPECT_EQ(state().label2, "Total Aircraft: 0") << "never negative";
    EXPECT_EQ(buttons(), "000");

    navigateTo(full.aircraftFolder);
    EXPECT_EQ(form().shared().MyFile, "fs2000.exe");
    EXPECT_EQ(list2Entries(), Entries{"Cub"});

    navigateTo(empty.aircraftFolder);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
}

TEST_F(AircraftScanTest, RejectedFoldersHideTheListAreaAndItsCommands)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    Installation noSim = makeInstallation(work_ / "NoSim", "");
    noSim.addAircraft("Cub", plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    form().List2_Toggle(0);
    EXPECT_EQ(buttons(), "111");

    navigateTo(noSim.aircraftFolder);
    EXPECT_TRUE(form().shared().MyFile.empty());
    EXPECT_FALSE(state().list2Visible || state().label2Visible || state().label3Visible);
    EXPECT_TRUE(state().label1Visible);
    EXPECT_EQ(buttons(), "000");
    EXPECT_TRUE(view_.messages.empty());

    // A folder that does not end in "aircraft" keeps MyFile as it was.
    navigateTo(sim.aircraftFolder);
    navigateTo(sim.aircraftFolder / "Cub");
    EXPECT_EQ(form().shared().MyFile, "fs9.exe");
    EXPECT_TRUE(state().label1Visible);

    // A mode change meanwhile fills the hidden list but offers no command.
    form().chooseOption(2);
    form().chooseOption(1);
    EXPECT_FALSE(state().list2Visible);
    EXPECT_EQ(buttons(), "000");
}

TEST_F(AircraftScanTest, NavigationInRestoreModeBuildsTheRemoveListAndStaysInRestore)
{
    Installation first = makeInstallation(work_ / "First");
    first.addAircraft("Done", modifiedCfg());
    Installation second = makeInstallation(work_ / "Second");
    second.addAircraft("Cub", plainCfg());
    second.addAircraft("Done", modifiedCfg());
    startUp();
    navigateTo(first.aircraftFolder);
    form().chooseOption(2);
    navigateTo(second.aircraftFolder);
    EXPECT_EQ(state().option, 2);
    EXPECT_EQ(list2Entries(), Entries{"Cub"});
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 1");
    navigateTo(first.aircraftFolder);
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Restored"}) << "the message follows the chosen mode";
}

TEST_F(AircraftScanTest, SimulatorIsLookedForRightBeforeTheFoldersName)
{
    // A folder whose name merely ends in "aircraft" passes the name test; the executables are then looked for
    // with the rest of its name in front: Myfs9.exe, Myfs2000.exe. Neither is a simulator.
    Installation sim = makeInstallation(work_ / "Sim");
    fs::create_directories(work_ / "Sim" / "MyAircraft" / "Cub");
    writeFile(work_ / "Sim" / "MyAircraft" / "Cub" / "aircraft.cfg", plainCfg());
    writeFile(work_ / "Sim" / "Myfs2000.exe", "MZ");
    startUp();
    navigateTo(sim.aircraftFolder);
    navigateTo(work_ / "Sim" / "MyAircraft");
    EXPECT_EQ(form().shared().MyFile, "myfs2000.exe");
    EXPECT_FALSE(state().list2Visible);
    EXPECT_TRUE(state().label1Visible);
}

#ifndef _WIN32
TEST_F(AircraftScanTest, FolderThatCannotBeReadStopsTheScanWithALoadListError)
{
    // A path too long for the system to open: the aircraft folder still lists the sub-folder by name, but the
    // sub-folder itself cannot be read.
    fs::path root = work_;
    while (text(root).size() < 3800)
        root /= std::string(200, 'd');
    Installation sim = makeInstallation(root / "FS9");
    sim.addAircraft("A1", plainCfg());
    sim.addAircraft("A2", plainCfg());
    const std::string longName = "Z" + std::string(250, 'z');
    const std::string unreadable = text(sim.aircraftFolder) + "/" + longName;
    ASSERT_GT(unreadable.size(), 4096u);
    {
        // Made from inside its parent, where the name is short enough.
        const fs::path here = fs::current_path();
        fs::current_path(sim.aircraftFolder);
        fs::create_directory(longName);
        fs::current_path(here);
    }
    startUp();
    navigateTo(sim.aircraftFolder);
    ASSERT_EQ(view_.messages.size(), 1u);
    const std::string& box = view_.messages[0];
    EXPECT_EQ(box.rfind("LoadList Error|Error ", 0), 0u) << box;
    EXPECT_EQ(box.substr(box.find('\r') + 1), "Set path to " + unreadable);
    // The entries found so far remain, parallel; the title and the buttons are as they were.
    EXPECT_EQ(list2Entries(), (Entries{"A1", "A2"}));
    EXPECT_EQ(form().List1().size(), 2u);
    EXPECT_EQ(state().label3, "");
    EXPECT_EQ(buttons(), "000");

    // "All" fails the same way: what it listed so far stays selected, and SelectAll is false again.
    form().cmdAll_Click();
    EXPECT_EQ(selectedEntries(), (Entries{"A1", "A2"}));
    EXPECT_FALSE(form().shared().SelectAll);
    EXPECT_EQ(view_.messages.size(), 2u);
}

TEST_F(AircraftScanTest, ManyAircraftKeepTheOrderOfTheBoxesAndTheStopAtAFolderThatCannotBeRead)
{
    // More aircraft than the scan reads ahead, two files that cannot be classified (16-bit text without a mark),
    // and a folder that cannot be read (its path is too long for the system) with aircraft behind it.
    fs::path root = work_;
    while (text(root).size() < 3800)
        root /= std::string(200, 'd');
    Installation sim = makeInstallation(root / "FS9");
    const std::string unmarkedWideText("[\0a\0u\0t\0o\0p\0i\0l\0o\0t\0]\0", 22);
    Entries expected;
    for (int i = 0; i < 150; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "A%03d", i);
        const bool unreadable = i == 10 || i == 90;
        sim.addAircraft(name, unreadable ? unmarkedWideText : i % 7 == 3 ? modifiedCfg() : plainCfg());
        // A011 is switched off while the first box is shown: the scan reads it only after the box.
        if (!unreadable && i % 7 != 3 && i != 11)
            expected.push_back(name);
    }
    for (int i = 0; i < 80; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%03d", i);
        sim.addAircraft(name, plainCfg());
    }
    const std::string longName = "M" + std::string(250, 'z');
    {
        const fs::path here = fs::current_path();
        fs::current_path(sim.aircraftFolder);
        fs::create_directory(longName);
        fs::current_path(here);
    }
    // The window under each box shows the list as far as the scan got: the box is about the folder after it.
    std::vector<std::string> shownUnderBox;
    std::uint64_t revisionUnderFirstBox = 0;
    view_.inMessage = [&] {
        shownUnderBox.push_back(view_.drawn.list2.empty() ? "" : view_.drawn.list2.back().text);
        if (shownUnderBox.size() == 1) {
            revisionUnderFirstBox = view_.drawn.list2Revision;
            writeFile(sim.cfgPath("A011"), modifiedCfg());
        }
    };
    startUp();
    navigateTo(sim.aircraftFolder);

    ASSERT_EQ(view_.messages.size(), 3u);
    EXPECT_EQ(view_.messages[0].rfind("Aircraft Cfg File Error|Error 54 Bad file mode\r", 0), 0u) << view_.messages[0];
    EXPECT_EQ(view_.messages[1].rfind("Aircraft Cfg File Error|Error 54 Bad file mode\r", 0), 0u) << view_.messages[1];
    EXPECT_EQ(view_.messages[2].rfind("LoadList Error|Error ", 0), 0u) << view_.messages[2];
    EXPECT_EQ(view_.messages[2].substr(view_.messages[2].find('\r') + 1),
              "Set path to " + text(sim.aircraftFolder) + "/" + longName);
    EXPECT_EQ(shownUnderBox, (Entries{"A009", "A089", "A149"}));
    EXPECT_NE(state().list2Revision, revisionUnderFirstBox) << "a window that drew the list halfway fills it again";
    EXPECT_EQ(list2Entries(), expected);
    ASSERT_EQ(form().List1().size(), expected.size());
    EXPECT_EQ(form().List1().back(), text(sim.aircraftFolder / expected.back()));
    EXPECT_EQ(form().shared().MyFile, "fs9.exe");
}
#endif

TEST_F(AircraftScanTest, NamesAndCounts)
{
    // An installation below another folder named "Aircraft" still names each aircraft by its folder; a combat
    // simulator's folder counts every sub-folder.
    Installation sim = makeInstallation(work_ / "Aircraft" / "Combat");
    sim.addAircraft("Glider", plainCfg());
    for (const char* name : {"a", "b", "c", "d"})
        sim.addFolder(name);
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), Entries{"Glider"});
    EXPECT_EQ(state().label2, "Total Aircraft: 5");
    EXPECT_EQ(form::totalAircraftCaption(5, text(work_ / "Sim" / "Aircraft")), "Total Aircraft: 2");

    const char s = static_cast<char>(fs::path::preferred_separator);
    const form::AircraftNameSpan span =
        form::aircraftNameOf(std::string("D:") + s + "FS2002" + s + "Aircraft" + s + "Trainer01" + s + "aircraft.cfg");
    EXPECT_EQ(span.start, 20);
    EXPECT_EQ(span.name, "Trainer01");
    EXPECT_TRUE(form::isCslFolder("Csl"));
    EXPECT_FALSE(form::isCslFolder("CSL2"));
}

TEST_F(AircraftScanTest, CorpusAircraftLandInTheRightList)
{
    const fs::path corpus = fs::u8path(VANTREL_CORPUS_DIR);
    if (!fs::exists(corpus))
        GTEST_SKIP() << "no corpus at " << corpus.u8string();
    Installation sim = makeInstallation(work_ / "FS9");
    Entries withLeveler, without;
    std::vector<fs::path> files;
    for (const auto& item : fs::recursive_directory_iterator(corpus)) {
        if (item.is_regular_file() && item.path().extension() == ".cfg")
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 5u);
    int n = 0;
    for (const fs::path& file : files) {
        const std::string bytes = readFile(file);
        std::string lower = bytes;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "corpus%02d_", n++);
        const std::string name = prefix + file.stem().u8string();
        sim.addAircraft(name, bytes);
        const bool leveler =
            lower.find("default_bank") != std::string::npos || lower.find("default_pitch") != std::string::npos;
        (leveler ? withLeveler : without).push_back(name);
    }
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), without);
    form().chooseOption(2);
    EXPECT_EQ(list2Entries(), withLeveler);
    EXPECT_FALSE(withLeveler.empty());
    EXPECT_TRUE(view_.messages.empty());
}

TEST_F(AircraftScanTest, AllOnManyAircraftSelectsEveryOne)
{
    Installation sim = makeInstallation(work_ / "Big");
    for (int i = 0; i < 1500; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Plane%04d", i);
        sim.addAircraft(name, plainCfg());
    }
    // Three scans of 1,500 folders, far more than the read-ahead works out ahead: one that stops waiting for a
    // result ends the test within seconds, naming the step.
    std::atomic<const char*> step{"start-up"};
    const Watchdog watchdog(kScanLimit,
                            [&] { return std::string("the scan of 1,500 aircraft stuck in ") + step.load(); });
    startUp();
    step = "the navigation to the aircraft folder";
    navigateTo(sim.aircraftFolder);
    step = "All";
    form().cmdAll_Click();
    EXPECT_EQ(selectedEntries().size(), 1500u);
    EXPECT_EQ(state().label3, "Aircraft with Wing Leveler Enabled: 1500");
}

} // namespace
} // namespace vantrel::test
