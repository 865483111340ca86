// A first start opens the simulator found on the machine; a start with settings never looks.
#include "FormTestSupport.h"

#include "browse/FolderModel.h"
#include "find/SimulatorSearch.h"

namespace vantrel::test {
namespace {

class FirstStartTest : public FormTest
{
protected:
    // An installation where the search of this system finds it: on Windows in a folder the registry names, elsewhere
    // in the default folder of the Wine prefix ~/.wine.
    Installation installationFound()
    {
#ifdef _WIN32
        Installation sim = makeInstallation(work_ / "Games" / "FS9");
        machine_.registry[std::string(find::kFs2004.key) + "|" + find::kFs2004.value] = text(sim.root);
        machine_.drives = {text(sim.root).substr(0, 2)};
#else
        const fs::path home = work_ / "home";
        Installation sim =
            makeInstallation(home / ".wine" / "drive_c" / "Program Files" / "Microsoft Games" / "Flight Simulator 9");
        machine_.environmentValues["HOME"] = text(home);
#endif
        sim.addAircraft("Trainer", plainCfg("Trainer"));
        sim.addAircraft("Glider", modifiedCfg("Glider"));
        return sim;
    }
};

TEST_F(FirstStartTest, TheSimulatorFoundOpensAsIfTheSettingsHadNamedIt)
{
    const Installation sim = installationFound();
    startUp();
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(fs::file_size(settingsPath()), 0u);
    EXPECT_EQ(state().Dir1->path(), text(sim.aircraftFolder));
    EXPECT_TRUE(state().list2Visible);
    EXPECT_FALSE(state().label1Visible);
    EXPECT_EQ(list2Entries(), std::vector<std::string>{"Trainer"});
    EXPECT_EQ(form().shared().MyFile, "fs9.exe");

    form().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), "3\r\n" + drive() + "\r\n" + text(sim.aircraftFolder) + "\r\n");

    // Started in that very folder, the folder list shows it from the start and raises no change: the list is built
    // all the same.
    destroyForm();
    fs::current_path(sim.aircraftFolder);
    startUp();
    EXPECT_EQ(list2Entries(), std::vector<std::string>{"Trainer"});
}

TEST_F(FirstStartTest, OnlyAStartWithoutUsableSettingsLooks)
{
    const Installation found = installationFound();
    Installation saved = makeInstallation(work_ / "Saved");
    saved.addFolder("Jet");
    struct Case
    {
        bool writeSettings;
        std::string settings;
        bool looks;
    };
    for (const Case& c : {Case{false, "", true}, Case{true, "3\r\n/\r\n/tmp", true},
                          Case{true, "3\r\n" + drive() + "\r\n" + text(saved.aircraftFolder) + "\r\n", false}}) {
        destroyForm();
        fs::remove(settingsPath());
        if (c.writeSettings)
            writeFile(settingsPath(), c.settings);
        machine_.asked = 0;
        startUp();
        EXPECT_EQ(machine_.asked > 0, c.looks) << c.settings;
        EXPECT_EQ(state().Dir1->path(), text(c.looks ? found.aircraftFolder : saved.aircraftFolder)) << c.settings;
    }
}

} // namespace
} // namespace vantrel::test
