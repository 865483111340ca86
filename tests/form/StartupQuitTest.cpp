// Start-up from the settings file, and the Quit command that writes it.
#include "FormTestSupport.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "os/Paths.h"

#include <cctype>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vantrel::test {
namespace {

const char* const kInstruction = "Please select the default(s) you wish removed from Flight Simulator's Auto Pilot.";

class StartupQuitTest : public FormTest
{
protected:
    std::string lines(const std::string& code, const fs::path& folder)
    {
        return code + "\r\n" + drive() + "\r\n" + text(folder) + "\r\n";
    }
};

TEST_F(StartupQuitTest, FirstStartCreatesAnEmptySettingsFileAndKeepsTheDefaults)
{
    ASSERT_FALSE(fs::exists(settingsPath()));
    startUp();
    EXPECT_TRUE(fs::exists(settingsPath()));
    EXPECT_EQ(fs::file_size(settingsPath()), 0u);
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(state().option, 1);
    EXPECT_TRUE(state().option3Enabled);
    EXPECT_EQ(state().chkBank, 1);
    EXPECT_EQ(state().chkPitch, 1);
    EXPECT_EQ(state().advancedLabel, kInstruction);
    EXPECT_EQ(form().shared().VantrelDir.back(), static_cast<char>(fs::path::preferred_separator));
    EXPECT_TRUE(state().label1Visible);
    EXPECT_FALSE(state().list2Visible || state().label3Visible);
    EXPECT_TRUE(os::samePath(state().Dir1->path(), text(current_)));
}

TEST_F(StartupQuitTest, OptionCodesAndShortFiles)
{
    const Installation sim = makeInstallation(work_ / "Sim");
    struct Case
    {
        std::string first;
        int bank, pitch;
    };
    for (const Case& c :
         {Case{"1", 0, 1}, Case{"2", 1, 0}, Case{"3", 1, 1}, Case{"4", 1, 1}, Case{" 2 ", 1, 0}, Case{"3.0", 1, 1},
          Case{"+2E0", 1, 0}, Case{"2.5", 1, 1}, Case{"1e300", 1, 1}, Case{"-1", 1, 1}}) {
        writeFile(settingsPath(), lines(c.first, sim.aircraftFolder));
        startUp();
        EXPECT_TRUE(view_.messages.empty()) << c.first;
        EXPECT_EQ(state().chkBank, c.bank) << c.first;
        EXPECT_EQ(state().chkPitch, c.pitch) << c.first;
        EXPECT_EQ(state().Dir1->path(), text(sim.aircraftFolder));
    }

    // Ten bytes or fewer are not read at all; eleven are.
    destroyForm();
    writeFile(settingsPath(), "2\r\n/\r\n/tmp");
    ASSERT_EQ(fs::file_size(settingsPath()), 10u);
    startUp();
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(state().chkPitch, 1);
    EXPECT_TRUE(os::samePath(state().Dir1->path(), text(current_)));

    destroyForm();
    writeFile(settingsPath(), "2\r\n/\r\n/tmp/");
    ASSERT_EQ(fs::file_size(settingsPath()), 11u);
    startUp();
    EXPECT_EQ(state().chkPitch, 0) << "an 11-byte file is read";
}

TEST_F(StartupQuitTest, BrokenSettingsAreReportedWithTheStepThatFailed)
{
    const Installation sim = makeInstallation(work_ / "Sim");
    struct Case
    {
        std::string content;
        std::string message;
    };
    const std::string settings = text(settingsPath());
    const Case cases[] = {
        {lines("abc", sim.aircraftFolder), "Load ini Error|Error 13 Type mismatch\rLoading Advanced Options"},
        {"2\r\n" + drive() + "          \r\n",
         "Load ini Error|Error 62 Input past end of file\rLoading FlightSim Path"},
        {lines("3", work_ / "Gone" / "Aircraft"), "Load ini Error|Error 76 Path not found\rLoading FlightSim Path"},
        {"3\r\nq: [NOSUCH]\r\n" + text(sim.aircraftFolder) + "\r\n",
         "Load ini Error|Error 68 Device unavailable\rLoading Drive Designator"},
    };
    // Whatever is not a plain, finite decimal number is no option code.
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* code : {"inf", "nan", "1e999", "0x2", "2,5", ".", "e3", "2 3", "1e"})
        all.push_back(
            {lines(code, sim.aircraftFolder), "Load ini Error|Error 13 Type mismatch\rLoading Advanced Options"});
    for (const Case& c : all) {
        destroyForm();
        view_.messages.clear();
        writeFile(settingsPath(), c.content);
        startUp();
        ASSERT_EQ(view_.messages.size(), 1u) << c.message;
        EXPECT_EQ(view_.messages[0], c.message);
        EXPECT_EQ(view_.icons[0], form::MessageIcon::Warning);
        EXPECT_TRUE(state().option3Enabled) << "the steps before the failure stay done";
        EXPECT_EQ(state().advancedLabel, "Label1") << "the instruction comes after the settings";
    }
    // The two-line file applied its option code before failing.
    destroyForm();
    writeFile(settingsPath(), cases[1].content);
    startUp();
    EXPECT_EQ(state().chkPitch, 0);

    // A settings file that cannot be opened (here: a folder of that name).
    destroyForm();
    view_.messages.clear();
    fs::remove(settingsPath());
    fs::create_directories(settingsPath());
    startUp();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].rfind("Load ini Error|Error ", 0), 0u);
    const std::string ending = "\rOpening " + text(settingsPath());
    EXPECT_EQ(view_.messages[0].substr(view_.messages[0].size() - ending.size()), ending);
    fs::remove_all(settingsPath());
}

TEST_F(StartupQuitTest, SavedFolderIsListedAtStartEvenWhenItIsTheCurrentFolder)
{
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    fs::current_path(sim.aircraftFolder);
    writeFile(sim.aircraftFolder / "Vantrel.ini", lines("3", sim.aircraftFolder));
    startUp();
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(list2Entries(), std::vector<std::string>{"Cub"});
    EXPECT_TRUE(state().list2Visible);
    destroyForm();
    fs::current_path(current_);
}

TEST_F(StartupQuitTest, QuitSavesTheInstallationsAircraftFolderOnce)
{
    // The path holds "aircraft" twice; the installation's own aircraft folder is saved.
    Installation sim = makeInstallation(work_ / "Aircraft" / "Sim");
    sim.addAircraft("Cub", plainCfg());
    struct Case
    {
        fs::path shown;
        int bank, pitch;
        std::string code;
    };
    fs::create_directories(sim.aircraftFolder / "Extra_Aircraft" / "Sub");
    for (const Case& c :
         {Case{sim.aircraftFolder, 1, 1, "3"}, Case{sim.aircraftFolder / "Cub", 1, 0, "2"},
          Case{sim.aircraftFolder, 0, 1, "1"}, Case{sim.aircraftFolder / "Extra_Aircraft" / "Sub", 1, 1, "3"}}) {
        startUp();
        navigateTo(c.shown);
        form().chkBank_Set(c.bank);
        form().chkPitch_Set(c.pitch);
        const int ends = view_.ends;
        form().cmdQuit_Click();
        EXPECT_EQ(readFile(settingsPath()), lines(c.code, sim.aircraftFolder));
        EXPECT_EQ(view_.ends, ends + 1);
        // Quit runs once: closing the window afterwards neither writes nor ends again.
        fs::remove(settingsPath());
        form().Form_Unload();
        EXPECT_FALSE(fs::exists(settingsPath()));
        EXPECT_EQ(view_.ends, ends + 1);
    }
}

#ifdef _WIN32
TEST_F(StartupQuitTest, SavedFolderInAnotherLetterCaseIsTheFolderShown)
{
    // A shortcut whose "Start in" is spelt in other letters than the saved folder.
    Installation sim = makeInstallation(work_ / "Sim");
    sim.addAircraft("Cub", plainCfg());
    fs::current_path(sim.aircraftFolder);
    std::string upper = text(sim.aircraftFolder);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    writeFile(sim.aircraftFolder / "Vantrel.ini", "3\r\n" + drive() + "\r\n" + upper + "\r\n");
    startUp();
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(list2Entries(), std::vector<std::string>{"Cub"});
    destroyForm();
    fs::current_path(current_);
}
#endif

TEST_F(StartupQuitTest, QuitWithoutAnAircraftFolderLeavesTheFileAlone)
{
    const std::string before = "3\r\n/\r\n/somewhere/Aircraft\r\n";
    writeFile(settingsPath(), before);
    startUp();
    fs::create_directories(work_ / "Sim" / "Aircraft2");
    navigateTo(work_ / "Sim" / "Aircraft2");
    form().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), before);
    EXPECT_EQ(view_.ends, 1);
}

TEST_F(StartupQuitTest, FailingWriteKeepsTheOldSettingsAndSaysSo)
{
    Installation sim = makeInstallation(work_ / "Sim");
    const std::string before = "3\r\n/\r\n/old/Aircraft\r\n";
    writeFile(settingsPath(), before);
    startUp();
    view_.messages.clear();
    navigateTo(sim.aircraftFolder);
    // The temporary file's name is taken by a folder: the new settings cannot be written.
    fs::create_directories(fs::path(settingsPath()) += ".tmp");
    form().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), before);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].rfind("Vantrel|The settings could not be saved.\rError ", 0), 0u);
    EXPECT_EQ(view_.ends, 1) << "the program ends all the same";
}

TEST_F(StartupQuitTest, FolderWithACommaRoundTrips)
{
    Installation sim = makeInstallation(work_ / "Games, Sims" / "FS9");
    sim.addAircraft("Beaver, floats", plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    form().Form_Unload(); // the close box is the Quit command
    startUp();
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(state().Dir1->path(), text(sim.aircraftFolder));
    EXPECT_EQ(list2Entries(), std::vector<std::string>{"Beaver, floats"});
}

#ifdef _WIN32
// A settings file saved by an 8-bit Windows program or editor is in the ANSI code page. It reads as meant, and Quit
// writes that code page while it can hold the path (so such tools can read the file), UTF-8 otherwise: always in a
// form that reads back as the same folder.
TEST_F(StartupQuitTest, SettingsInTheAnsiCodePageReadAndWrittenBack)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected bytes are those of the Western code page, 1252; this system has " << GetACP();
    struct Case
    {
        std::string folder;     // UTF-8
        std::string ansiFolder; // how the file holds it in Windows-1252, "" when it cannot
        bool written1252;       // Quit writes the Windows-1252 form
    };
    for (const Case& c :
         {Case{"Caf\xC3\xA9", "Caf\xE9", true}, Case{"\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x91\xD1\x82", "", false}, // Cyrillic
          // In 1252 these two letters are the bytes C3 A9, which read as UTF-8 would be another
          // name: UTF-8 it is.
          Case{"\xC3\x83\xC2\xA9", "", false}}) {
        Installation sim = makeInstallation(work_ / fs::u8path(c.folder) / "FS9");
        sim.addAircraft("Trainer", plainCfg());
        std::string ansiPath = text(sim.aircraftFolder);
        if (!c.ansiFolder.empty())
            ansiPath.replace(ansiPath.find(c.folder), c.folder.size(), c.ansiFolder);
        if (c.written1252) {
            writeFile(settingsPath(), "2\r\n" + drive() + "\r\n" + ansiPath + "\r\n");
            startUp();
            EXPECT_TRUE(view_.messages.empty()) << c.folder;
            EXPECT_EQ(state().Dir1->path(), text(sim.aircraftFolder)) << c.folder;
            EXPECT_EQ(list2Entries(), std::vector<std::string>{"Trainer"});
        } else {
            startUp();
            navigateTo(sim.aircraftFolder);
        }
        form().cmdQuit_Click();
        const std::string saved = readFile(settingsPath());
        EXPECT_EQ(saved.substr(saved.rfind("\r\n", saved.size() - 3) + 2),
                  (c.written1252 ? ansiPath : text(sim.aircraftFolder)) + "\r\n")
            << c.folder;
        startUp();
        EXPECT_TRUE(view_.messages.empty()) << c.folder;
        EXPECT_EQ(state().Dir1->path(), text(sim.aircraftFolder)) << c.folder;
    }
}
#endif

} // namespace
} // namespace vantrel::test
