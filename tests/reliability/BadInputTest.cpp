// Bad input through the main window's logic: odd file content, odd folder names, links, folders that vanish or
// stand where a file should be, and broken settings files. Each case ends in the right list or a clear warning
// box, and no byte of any file is lost or changed outside the lines that the program means to change.
#include "form/FormTestSupport.h"
#include "support/RewriteModel.h"

#include <algorithm>
#include <map>

namespace vantrel::test {
namespace {

using Entries = std::vector<std::string>;

// What Remove must write with FS2004's lines and both boxes ticked.
std::string removed(const std::string& bytes)
{
    return modelRemove(bytes, true, true, true);
}

fs::path bak(const fs::path& folder)
{
    return folder / "aircraftcfg.bak";
}

class BadInputTest : public FormTest
{
protected:
    void allAndModify()
    {
        form().cmdAll_Click();
        form().cmdYes_Click();
    }
    // The boxes shown since the last call, one a line.
    std::string takeBoxes()
    {
        std::string all;
        for (const std::string& box : view_.messages)
            all += (all.empty() ? "" : "\n") + box;
        view_.messages.clear();
        return all;
    }
};

// One installation holding every kind of odd content at once: Remove, then Restore, each on "All".
TEST_F(BadInputTest, OddContentIsListedRightAndKeepsEveryByte)
{
    static const char kBinary[] =
        "MZ\x90\0\x03\0\0\0\x04\0\r\n[autopilot]\r\n\0\0\xff\xfe\r\nmax\0bank=1\r\n\x80\x81\x82\0";
    const std::map<std::string, std::string> content{
        {"Binary", std::string(kBinary, sizeof kBinary - 1)},
        {"Cp1252", "[fltsim.0]\r\ntitle=Caf\xE9 \x96 Jet \xA9\r\n[autopilot]\r\nui_typerole=\"\x93x\x94\"\r\n"},
        {"CrOnly", "[fltsim.0]\rtitle=Cr\r[autopilot]\rmax_bank=25\r[views]\r"},
        {"Empty", ""},
        {"LfOnly", "[fltsim.0]\ntitle=Lf\n[AutoPilot]\nmax_bank=25\n[views]\n"},
        {"MarkFirst", "\xEF\xBB\xBF[autopilot]\r\nmax_bank=25\r\n[views]\r\n"},
        {"MarkLater", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=Mark\r\n[autopilot]\r\nmax_bank=25\r\n"},
        {"Mixed", "[fltsim.0]\r\ntitle=Mixed\n[autopilot]\rmax_bank=25\r\n\n\r\r[views]"},
        {"NoHeader", "[fltsim.0]\r\ntitle=None\r\n"},
        {"Utf8Name",
         "[fltsim.0]\r\ntitle=\xC3\x9C\xC3\xAF \xE2\x80\x9C\xCE\xA9\xE2\x80\x9D\r\n[autopilot]\t// \xC2\xA0ok\r\n"},
    };
    Installation sim = makeInstallation(work_ / "Sim");
    Entries all;
    for (const auto& [name, bytes] : content) {
        sim.addAircraft(name, bytes);
        all.push_back(name);
    }
    startIn(sim);
    ASSERT_EQ(list2Entries(), all) << "every file without a wing-leveler line belongs to the Remove list";

    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    // Files without an [autopilot] header get nothing inserted: they are left as they are, without a backup.
    const auto untouched = [](const std::string& name) { return name == "Empty" || name == "NoHeader"; };
    for (const auto& [name, bytes] : content) {
        EXPECT_EQ(readFile(sim.cfgPath(name)), removed(bytes)) << name;
        if (untouched(name)) {
            EXPECT_FALSE(fs::exists(bak(sim.aircraftFolder / name))) << name << ": a backup of a file left as it is";
        } else {
            EXPECT_EQ(readFile(bak(sim.aircraftFolder / name)), bytes) << name << ": the backup is the original";
        }
        EXPECT_FALSE(fs::exists(sim.aircraftFolder / name / "aircraftcfg.tmp")) << name;
    }
    EXPECT_EQ(list2Entries(), (Entries{"Empty", "NoHeader"})) << "only files without an [autopilot] header stay";

    form().chooseOption(2);
    Entries modified = all;
    modified.erase(std::find(modified.begin(), modified.end(), "Empty"));
    modified.erase(std::find(modified.begin(), modified.end(), "NoHeader"));
    ASSERT_EQ(list2Entries(), modified);
    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    for (const auto& [name, bytes] : content) {
        const std::string back = modelRestore(removed(bytes));
        EXPECT_EQ(readFile(sim.cfgPath(name)), back) << name;
        EXPECT_EQ(splitLines(back), splitLines(bytes)) << name << ": the original lines are back";
        // A backup of 100 bytes or fewer is taken afresh before every rewrite.
        if (!untouched(name)) {
            EXPECT_EQ(readFile(bak(sim.aircraftFolder / name)), bytes.size() > 100 ? bytes : removed(bytes)) << name;
        }
    }
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Restored"});
}

// A 50 MB file that is one line, beside a normal aircraft: listed, and Remove, with no header to insert below,
// leaves it exactly as it is; with a header in front of it only the inserted lines and the line ends are added.
TEST_F(BadInputTest, FiftyMegabyteSingleLine)
{
    Installation sim = makeInstallation(work_ / "Sim");
    std::string huge(50 * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < huge.size(); i += 4096)
        huge[i] = '=';
    huge.replace(huge.size() - 13, 12, "default_bank"); // not a line on its own: only the end of the one line
    sim.addAircraft("Huge", huge);
    sim.addAircraft("Small", plainCfg());
    startIn(sim);
    ASSERT_EQ(list2Entries(), Entries{"Small"}) << "the word at the end of 50 MB is found";

    form().chooseOption(2);
    ASSERT_EQ(list2Entries(), Entries{"Huge"});
    huge.replace(huge.size() - 13, 12, "xxxxxxxxxxxx");
    writeFile(sim.cfgPath("Huge"), huge);
    form().chooseOption(1);
    ASSERT_EQ(list2Entries(), (Entries{"Huge", "Small"}));
    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    EXPECT_TRUE(readFile(sim.cfgPath("Huge")) == huge) << "no header: the file stays as it is";
    EXPECT_FALSE(fs::exists(bak(sim.aircraftFolder / "Huge")));
    EXPECT_EQ(readFile(sim.cfgPath("Small")), modifiedCfg());

    writeFile(sim.cfgPath("Huge"), "[autopilot]\r\n" + huge);
    ASSERT_EQ(list2Entries(), Entries{"Huge"});
    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    const std::string after = readFile(sim.cfgPath("Huge"));
    EXPECT_EQ(after.size(), 13 + 43 + huge.size() + 2);
    EXPECT_TRUE(after == "[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\n" + huge + "\r\n")
        << "every byte of the long line kept, the line end added";
    EXPECT_TRUE(readFile(bak(sim.aircraftFolder / "Huge")) == "[autopilot]\r\n" + huge);
}

// Folder names with commas, blanks, quotes, non-ASCII letters and bytes that are not UTF-8 are listed as text and
// Modify reaches each of them.
TEST_F(BadInputTest, AwkwardFolderNamesAreListedAndModified)
{
    // The name on disk, and as the list shows it when that differs.
    std::vector<std::pair<std::string, std::string>> names{
        {"Cessna, 172", ""},
        {" Leading blank", ""},
        {"it's", ""},
        {"semi;colon=1", ""},
        {"\xC3\x9C\x62\x65r \xCE\xA9mega \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC", ""}};
#ifndef _WIN32
    // Names that Windows does not allow; bytes that are not UTF-8 are read as the simulator's Western code page.
    names.insert(names.end(), {{"Trailing blank ", ""},
                               {"Piper \"Cub\"", ""},
                               {"back\\slash", ""},
                               {"Caf\xE9 \x96", "Caf\xC3\xA9 \xE2\x80\x93"}});
#endif
    Installation sim = makeInstallation(work_ / "Sim");
    Entries expected;
    for (const auto& [onDisk, shown] : names) {
        sim.addAircraft(onDisk, plainCfg());
        expected.push_back(shown.empty() ? onDisk : shown);
    }
    startIn(sim);
    Entries listed = list2Entries();
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(listed, expected);
    EXPECT_EQ(takeBoxes(), "");

    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    for (const auto& [onDisk, shown] : names) {
        const fs::path folder = sim.aircraftFolder / fs::u8path(onDisk);
        EXPECT_EQ(readFile(folder / "aircraft.cfg"), modifiedCfg()) << onDisk;
        EXPECT_EQ(readFile(bak(folder)), plainCfg()) << onDisk;
    }
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
}

#ifndef _WIN32
// A linked aircraft folder is an aircraft like any other (its target is rewritten, the link stays a link); links
// that loop or lead back up are not aircraft and stop nothing.
TEST_F(BadInputTest, LinkedFoldersAndLinkLoops)
{
    Installation sim = makeInstallation(work_ / "Sim");
    const fs::path elsewhere = work_ / "Elsewhere" / "Real";
    writeFile(elsewhere / "aircraft.cfg", plainCfg("Real"));
    sim.addAircraft("Normal", plainCfg());
    const std::vector<std::pair<fs::path, const char*>> links{
        {elsewhere, "Linked"}, {"Loop", "Loop"}, {"..", "Up"},           {".", "Self"},
        {"Ping", "Pong"},      {"Pong", "Ping"}, {"Missing", "Dangling"}};
    for (const auto& [target, link] : links)
        fs::create_directory_symlink(target, sim.aircraftFolder / link);
    startIn(sim);
    EXPECT_EQ(takeBoxes(), "");
    ASSERT_EQ(list2Entries(), (Entries{"Linked", "Normal"}));

    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    EXPECT_EQ(readFile(elsewhere / "aircraft.cfg"), modifiedCfg("Real"));
    EXPECT_EQ(readFile(bak(elsewhere)), plainCfg("Real"));
    EXPECT_TRUE(fs::is_symlink(sim.aircraftFolder / "Linked"));
    EXPECT_EQ(readFile(sim.cfgPath("Normal")), modifiedCfg());
    EXPECT_EQ(list2Entries(), Entries{"All Aircraft have WL Removed"});
}
#endif

// An aircraft folder (or its aircraft.cfg) that goes away between the scan and Modify: a clear box, the aircraft
// before it done, nothing else touched; the next "All" and Modify finish the rest.
TEST_F(BadInputTest, AircraftThatVanishesBeforeModify)
{
    Installation sim = makeInstallation(work_ / "Sim");
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"})
        sim.addAircraft(name, plainCfg(name));
    startIn(sim);
    form().cmdAll_Click();
    fs::remove_all(sim.aircraftFolder / "Bravo");
    form().cmdYes_Click();
    EXPECT_EQ(takeBoxes(), "Append Error|Error 76 Path not found");
    EXPECT_EQ(readFile(sim.cfgPath("Alpha")), modifiedCfg("Alpha"));
    EXPECT_EQ(readFile(sim.cfgPath("Charlie")), plainCfg("Charlie"));
    EXPECT_EQ(list2Entries().size(), 4u) << "the lists stay as they were after a failure";

    form().cmdAll_Click();
    ASSERT_EQ(list2Entries(), (Entries{"Charlie", "Delta"}));
    fs::remove(sim.cfgPath("Charlie"));
    form().cmdYes_Click();
    EXPECT_EQ(takeBoxes(), "Append Error|Error 53 File not found");
    EXPECT_FALSE(fs::exists(sim.cfgPath("Charlie"))) << "no aircraft.cfg made from nothing";
    EXPECT_FALSE(fs::exists(bak(sim.aircraftFolder / "Charlie")));

    allAndModify();
    EXPECT_EQ(takeBoxes(), "");
    EXPECT_EQ(readFile(sim.cfgPath("Delta")), modifiedCfg("Delta"));
}

// Folders where files belong: an aircraft.cfg that is a folder is no aircraft; a folder in the place of the backup
// or the temporary file stops the rewrite of that aircraft with a clear box and keeps its file whole.
TEST_F(BadInputTest, FoldersWhereFilesBelong)
{
    Installation sim = makeInstallation(work_ / "Sim");
    fs::create_directories(sim.cfgPath("CfgIsFolder"));
    fs::create_directories(sim.aircraftFolder / "CfgIsFolder2" / "Aircraft.CFG");
    const fs::path bakFolder = sim.addAircraft("BakIsFolder", plainCfg()).parent_path();
    fs::create_directories(bak(bakFolder));
    const fs::path tmpFolder = sim.addAircraft("TmpIsFolder", plainCfg()).parent_path();
    fs::create_directories(tmpFolder / "aircraftcfg.tmp");
    startIn(sim);
    EXPECT_EQ(takeBoxes(), "");
    ASSERT_EQ(list2Entries(), (Entries{"BakIsFolder", "TmpIsFolder"}));

    for (const fs::path& folder : {bakFolder, tmpFolder}) {
        allAndModify();
        EXPECT_EQ(takeBoxes(), "Append Error|Error 75 Path/File access error") << folder;
        EXPECT_EQ(readFile(folder / "aircraft.cfg"), plainCfg());
        EXPECT_TRUE(fs::is_directory(bak(folder)) || !fs::exists(bak(folder)));
        fs::remove_all(folder);
    }
}

// Broken settings files: start-up reports a clear "Load ini Error" naming the step (or uses the defaults), the
// window comes up usable, and the settings file is left exactly as it was.
TEST_F(BadInputTest, BrokenSettingsFiles)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    const std::string folder = text(sim.aircraftFolder);
    const std::string drive = form().state().Drive1->drive();
    std::string binary;
    for (int i = 0; i < 300; ++i)
        binary += static_cast<char>((i * 37 + 11) % 256);
    struct Case
    {
        const char* name;
        std::string bytes;
        const char* step; // the step the box must name; nullptr: no box, and the list must show
    };
    const std::vector<Case> cases{
        {"garbage", "abc,def\r\nxyz\r\n###########\r\n", "Loading Advanced Options"},
        {"number then garbage", "3\r\n?\r\n\x01\x02\x03garbage\r\n", "Loading Drive Designator"},
        {"binary", binary, "Loading Advanced Options"},
        {"nul bytes", std::string(64, '\0'), "Loading Advanced Options"},
        {"long first line", std::string(1 << 20, '3') + "\r\n" + drive + "\r\n" + folder + "\r\n",
         "Loading Advanced Options"},
        {"long path line", "3\r\n" + drive + "\r\n" + std::string(200000, 'A') + "\r\n", "Loading FlightSim Path"},
        {"long drive line", "3\r\n" + drive + std::string(200000, ' ') + "\r\n" + folder + "\r\n", nullptr},
        {"two lines", "3\r\n" + drive + " [SYSTEM]\r\n", "Loading FlightSim Path"},
        {"no line ends", "3," + drive + "," + folder, "Loading Advanced Options"},
        {"quoted path", "\"3\"\r\n\"" + drive + "\"\r\n\"" + folder + "\"\r\n", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        destroyForm();
        view_.messages.clear();
        writeFile(settingsPath(), test.bytes);
        startUp();
        if (test.step) {
            ASSERT_EQ(view_.messages.size(), 1u) << takeBoxes();
            const std::string& box = view_.messages[0];
            EXPECT_EQ(box.rfind("Load ini Error|Error ", 0), 0u) << box;
            const std::string ending = std::string("\r") + test.step;
            EXPECT_TRUE(box.size() > ending.size() &&
                        box.compare(box.size() - ending.size(), ending.size(), ending) == 0)
                << box;
        } else {
            EXPECT_EQ(takeBoxes(), "");
            EXPECT_EQ(list2Entries(), Entries{"Cub"});
        }
        EXPECT_EQ(state().option, 1);
        EXPECT_TRUE(readFile(settingsPath()) == test.bytes) << "start-up never writes the settings file";
        EXPECT_EQ(readFile(sim.cfgPath("Cub")), plainCfg());
    }
}

} // namespace
} // namespace vantrel::test
