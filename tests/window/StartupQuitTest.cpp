// Start-up from the settings file, and the Quit command that writes it.
#include "WindowTestSupport.h"

#include "dialogs/frmAdvanced.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/FolderList.h"
#include "platform/MessageBox.h"
#include "platform/SystemSeams.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel::test {
namespace {

class StartupQuitTest : public WindowTest
{
protected:
    QString drive() { return child<DriveList>("Drive1")->drive(); }
    void writeSettings(const QByteArray& bytes) { writeFile(settingsPath(), bytes); }
    QByteArray settingsLines(const QByteArray& code, const QString& folder)
    {
        return code + "\r\n" + drive().toUtf8() + "\r\n" + QFile::encodeName(folder) + "\r\n";
    }
};

TEST_F(StartupQuitTest, FirstStartCreatesAnEmptySettingsFileAndKeepsTheDefaults)
{
    ASSERT_FALSE(QFile::exists(settingsPath()));
    startUp();
    EXPECT_TRUE(QFile::exists(settingsPath()));
    EXPECT_EQ(QFileInfo(settingsPath()).size(), 0);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("Option3")->isEnabled());
    EXPECT_EQ(window().LastChoice, 1);
    EXPECT_EQ(window().advancedDialog()->bankValue(), 1);
    EXPECT_EQ(window().advancedDialog()->pitchValue(), 1);
    EXPECT_EQ(window().advancedDialog()->labelText(),
              QStringLiteral("Please select the default(s) you wish removed from Flight Simulator's Auto Pilot."));
    EXPECT_TRUE(window().VantrelDir.endsWith(QDir::separator()));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_FALSE(shown("List2"));
}

TEST_F(StartupQuitTest, OptionCodesAndShortFiles)
{
    const Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));

    struct Case
    {
        QByteArray first;
        int bank;
        int pitch;
    };
    for (const Case& c : {Case{"1", 0, 1}, Case{"2", 1, 0}, Case{"3", 1, 1}, Case{"4", 1, 1}, Case{" 2 ", 1, 0}}) {
        writeSettings(settingsLines(c.first, sim.aircraftFolder));
        startUp();
        EXPECT_TRUE(messages().isEmpty()) << c.first.toStdString() << messages().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(window().advancedDialog()->bankValue(), c.bank) << c.first.toStdString();
        EXPECT_EQ(window().advancedDialog()->pitchValue(), c.pitch) << c.first.toStdString();
        EXPECT_EQ(child<FolderList>("Dir1")->path(), sim.aircraftFolder);
        destroyWindow();
        clearMessages();
    }

    // Ten bytes or fewer: not read at all.
    writeSettings("2\r\n/\r\n/tmp");
    ASSERT_EQ(QFileInfo(settingsPath()).size(), 10);
    startUp();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(window().advancedDialog()->pitchValue(), 1);
    EXPECT_EQ(child<FolderList>("Dir1")->path(), QDir::toNativeSeparators(QDir::currentPath()));
}

TEST_F(StartupQuitTest, BrokenSettingsAreReportedWithTheStepThatFailed)
{
    const Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));

    writeSettings(settingsLines("abc", sim.aircraftFolder));
    startUp();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], QStringLiteral("Load ini Error|Error 13 Type mismatch\rLoading Advanced Options"));
    EXPECT_EQ(MessageBox::records()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(window().LastChoice, 1) << "the steps before the failure stay done";
    EXPECT_EQ(window().advancedDialog()->labelText(), QStringLiteral("Label1"));
    destroyWindow();
    clearMessages();

    // Two lines only: the drive is applied, then the missing folder is reported.
    writeSettings("2\r\n" + drive().toUtf8() + "          \r\n");
    startUp();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], QStringLiteral("Load ini Error|Error 62 Input past end of file\rLoading FlightSim Path"));
    EXPECT_EQ(window().advancedDialog()->bankValue(), 1);
    EXPECT_EQ(window().advancedDialog()->pitchValue(), 0);
    destroyWindow();
    clearMessages();

    // A saved folder that is gone.
    writeSettings(settingsLines("3", m_work.path() + QStringLiteral("/Gone/Aircraft")));
    startUp();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], QStringLiteral("Load ini Error|Error 76 Path not found\rLoading FlightSim Path"));
    EXPECT_EQ(child<FolderList>("Dir1")->path(), QDir::toNativeSeparators(QDir::currentPath()));
    destroyWindow();
    clearMessages();

    // A drive that cannot be selected.
    writeSettings("3\r\nq: [NOSUCH]\r\n" + QFile::encodeName(sim.aircraftFolder) + "\r\n");
    startUp();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], QStringLiteral("Load ini Error|Error 68 Device unavailable\rLoading Drive Designator"));
    destroyWindow();
    clearMessages();

    // A settings file that cannot be opened (here: a folder of that name).
    QFile::remove(settingsPath());
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    startUp();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Load ini Error|Error ")));
    EXPECT_TRUE(messages()[0].endsWith(QStringLiteral("\rOpening ") + settingsPath())) << messages()[0].toStdString();
    QDir(settingsPath()).removeRecursively();
}

TEST_F(StartupQuitTest, SavedFolderIsListedAtStartEvenWhenItIsTheCurrentFolder)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    sim.addAircraft(QStringLiteral("Cub"), plainCfg());
    ASSERT_TRUE(QDir::setCurrent(sim.aircraftFolder));
    writeFile(join(sim.aircraftFolder, QStringLiteral("Vantrel.ini")), settingsLines("3", sim.aircraftFolder));
    startUp();
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("Cub")});
    EXPECT_TRUE(shown("List2"));
    destroyWindow();
    QDir::setCurrent(m_current.path());
}

TEST_F(StartupQuitTest, QuitSavesTheInstallationsAircraftFolder)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Aircraft/Sim"));
    sim.addAircraft(QStringLiteral("Cub"), plainCfg());
    startUp();

    // No file selected: the aircraft folder itself.
    navigateTo(sim.aircraftFolder);
    child<FileList>("File1")->setFileName(QString());
    window().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), settingsLines("3", sim.aircraftFolder));
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1);
    // Quit runs once: closing or destroying the window afterwards neither writes nor ends again.
    QFile::remove(settingsPath());
    window().close();
    destroyWindow();
    EXPECT_FALSE(QFile::exists(settingsPath()));
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1);

    // A sub-folder with its aircraft.cfg selected: still the aircraft folder; only "Remove Default Bank": "2".
    startUp();
    window().advancedDialog()->setPitchValue(0);
    navigateTo(join(sim.aircraftFolder, QStringLiteral("Cub")));
    child<FileList>("File1")->setPath(join(sim.aircraftFolder, QStringLiteral("Cub")));
    child<FileList>("File1")->setListIndex(0);
    window().cmdQuit_Click();
    // The path holds "aircraft" twice; the installation's own aircraft folder is saved.
    EXPECT_EQ(readFile(settingsPath()), settingsLines("2", sim.aircraftFolder));
    destroyWindow();

    // Only "Remove Default Pitch": "1".
    startUp();
    EXPECT_EQ(window().advancedDialog()->bankValue(), 1);
    EXPECT_EQ(window().advancedDialog()->pitchValue(), 0);
    window().advancedDialog()->setBankValue(0);
    window().advancedDialog()->setPitchValue(1);
    window().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()).left(3), QByteArray("1\r\n"));
}

TEST_F(StartupQuitTest, QuitWithoutAnAircraftFolderLeavesTheFileAlone)
{
    const QByteArray before = "3\r\n/\r\n/somewhere/Aircraft\r\n";
    writeSettings(before);
    startUp();
    clearMessages();
    QDir().mkpath(m_work.path() + QStringLiteral("/Sim/Aircraft2"));
    navigateTo(m_work.path() + QStringLiteral("/Sim/Aircraft2"));
    window().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), before);
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1);
}

TEST_F(StartupQuitTest, FailingWriteKeepsTheOldSettingsAndSaysSo)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    const QByteArray before = "3\r\n/\r\n/old/Aircraft\r\n";
    writeSettings(before);
    startUp();
    clearMessages();
    navigateTo(sim.aircraftFolder);
    // The temporary file's name is taken by a folder: the new settings cannot be written.
    ASSERT_TRUE(QDir().mkpath(settingsPath() + QStringLiteral(".tmp")));
    window().cmdQuit_Click();
    EXPECT_EQ(readFile(settingsPath()), before);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Vantrel|The settings could not be saved.\rError ")))
        << messages()[0].toStdString();
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1) << "the program ends all the same";
}

TEST_F(StartupQuitTest, FolderWithACommaRoundTrips)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Games, Sims/FS9"));
    sim.addAircraft(QStringLiteral("Beaver, floats"), plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    window().cmdQuit_Click();
    destroyWindow();

    startUp();
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(child<FolderList>("Dir1")->path(), sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("Beaver, floats")});
}

TEST_F(StartupQuitTest, ClosingTheWindowIsTheQuitCommand)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    startUp();
    window().advancedDialog()->setBankValue(0);
    navigateTo(sim.aircraftFolder);
    window().close();
    const QByteArray byClose = readFile(settingsPath());
    EXPECT_EQ(byClose, settingsLines("1", sim.aircraftFolder));
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1);
    destroyWindow();
    EXPECT_EQ(ProgramEnd::calls() - m_endCallsBefore, 1);

    QFile::remove(settingsPath());
    startUp();
    window().advancedDialog()->setBankValue(0);
    navigateTo(sim.aircraftFolder);
    child<QPushButton>("cmdQuit")->click();
    EXPECT_EQ(readFile(settingsPath()), byClose);
}

} // namespace
} // namespace vantrel::test
