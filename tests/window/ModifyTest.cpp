// The Modify command end to end: start-up, selection, the rewrite, the rebuilt list, Restore, Quit and a
// second start.
#include "WindowTestSupport.h"

#include "dialogs/frmAdvanced.h"
#include "platform/FolderList.h"
#include "platform/MessageBox.h"
#include "platform/SystemSeams.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace vantrel::test {
namespace {

const QByteArray kWorkedExample = "A=1\r\n[autopilot]\r\nB=2\r\nC=3\r\n[D]\r\n";

class ModifyTest : public WindowTest
{
protected:
    QString buttons() { return QStringLiteral("%1%2%3").arg(shown("cmdYes")).arg(shown("cmdNo")).arg(shown("cmdAll")); }

    Installation fleet(const QString& executable = QStringLiteral("fs9.exe"))
    {
        Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"), executable);
        sim.addAircraft(QStringLiteral("Alpha"), kWorkedExample);
        sim.addAircraft(QStringLiteral("Bravo"), "[General]\nperformance=x\n[Autopilot] // section\nmax_bank=25");
        sim.addAircraft(QStringLiteral("Charlie"), plainCfg());
        sim.addAircraft(QStringLiteral("Delta"), plainCfg(QStringLiteral("Delta")));
        return sim;
    }

    void startIn(const Installation& sim)
    {
        writeFile(settingsPath(), "3\r\n/\r\n" + QFile::encodeName(sim.aircraftFolder) + "\r\n");
        startUp();
    }

    bool hasLeftovers(const Installation& sim)
    {
        const QStringList names =
            QDir(sim.aircraftFolder).entryList({QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            if (!QDir(join(sim.aircraftFolder, name)).entryList({QStringLiteral("*.tmp*")}, QDir::Files).isEmpty())
                return true;
        }
        return false;
    }
};

TEST_F(ModifyTest, TypicalRequestEndToEnd)
{
    Installation sim = fleet();
    const QByteArray bravoBefore = readFile(sim.cfgPath(QStringLiteral("Bravo")));
    startIn(sim);
    ASSERT_EQ(list2Entries(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie"),
                                           QStringLiteral("Delta")}));
    clickEntry(0);
    clickEntry(1);
    EXPECT_EQ(buttons(), QStringLiteral("111"));
    const int beeps = Beep::count();
    child<QPushButton>("cmdYes")->click();

    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))),
              QByteArray("A=1\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\nB=2\r\nC=3\r\n[D]\r\n"));
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Bravo"))),
              QByteArray("[General]\r\nperformance=x\r\n[Autopilot] // section\r\ndefault_bank_mode=0\r\n"
                         "default_pitch_mode=0\r\nmax_bank=25\r\n"));
    EXPECT_EQ(readFile(join(join(sim.aircraftFolder, QStringLiteral("Alpha")), QStringLiteral("aircraftcfg.bak"))),
              kWorkedExample);
    EXPECT_EQ(readFile(join(join(sim.aircraftFolder, QStringLiteral("Bravo")), QStringLiteral("aircraftcfg.bak"))),
              bravoBefore);
    EXPECT_FALSE(hasLeftovers(sim));
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Charlie"))), plainCfg()) << "unselected aircraft untouched";
    EXPECT_EQ(list2Entries(), (QStringList{QStringLiteral("Charlie"), QStringLiteral("Delta")}));
    EXPECT_EQ(buttons(), QStringLiteral("000"));
    EXPECT_EQ(Beep::count(), beeps + 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy pointer is gone";
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();

    // Restore lists them; All and Modify give the original lines back (with CR LF line ends).
    child<QRadioButton>("Option2")->click();
    EXPECT_EQ(list2Entries(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}));
    child<QPushButton>("cmdAll")->click();
    child<QPushButton>("cmdYes")->click();
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))), kWorkedExample);
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Bravo"))),
              QByteArray("[General]\r\nperformance=x\r\n[Autopilot] // section\r\nmax_bank=25\r\n"));
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Restored")});
    // A file of 100 bytes or fewer gets a fresh backup at every Modify: the state just before the latest rewrite.
    EXPECT_EQ(readFile(join(join(sim.aircraftFolder, QStringLiteral("Alpha")), QStringLiteral("aircraftcfg.bak"))),
              QByteArray("A=1\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\nB=2\r\nC=3\r\n[D]\r\n"));

    // Quit writes the settings; a second start in the same folder lists the aircraft again.
    child<QPushButton>("cmdQuit")->click();
    EXPECT_EQ(readFile(settingsPath()), "3\r\n/\r\n" + QFile::encodeName(sim.aircraftFolder) + "\r\n");
    destroyWindow();
    startUp();
    EXPECT_EQ(child<FolderList>("Dir1")->path(), sim.aircraftFolder);
    EXPECT_EQ(list2Entries().size(), 4);
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked()) << "every start is in mode Remove";
}

TEST_F(ModifyTest, FS2000LinesAndNoSelection)
{
    Installation sim = fleet(QStringLiteral("fs2000.exe"));
    startIn(sim);
    window().advancedDialog()->setPitchValue(0);
    clickEntry(0);
    child<QPushButton>("cmdYes")->click();
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))),
              QByteArray("A=1\r\n[autopilot]\r\nuse_no_default_bank=1\r\nB=2\r\nC=3\r\n[D]\r\n"));

    // Modify with nothing selected touches no file but still rebuilds, hides and beeps.
    const QByteArray charlie = readFile(sim.cfgPath(QStringLiteral("Charlie")));
    const int beeps = Beep::count();
    window().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Charlie"))), charlie);
    EXPECT_FALSE(
        QFile::exists(join(join(sim.aircraftFolder, QStringLiteral("Charlie")), QStringLiteral("aircraftcfg.bak"))));
    EXPECT_EQ(Beep::count(), beeps + 1);
    EXPECT_EQ(buttons(), QStringLiteral("000"));
}

TEST_F(ModifyTest, VanishedAircraftStopsTheRunAndTheNextModifyWorks)
{
    Installation sim = fleet();
    startIn(sim);
    child<QPushButton>("cmdAll")->click();
    QDir(join(sim.aircraftFolder, QStringLiteral("Bravo"))).removeRecursively();
    child<QPushButton>("cmdYes")->click();

    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Append Error|Error ")));
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("not found"))) << messages()[0].toStdString();
    EXPECT_EQ(MessageBox::records()[0].icon, MessageIcon::Warning);
    EXPECT_NE(readFile(sim.cfgPath(QStringLiteral("Alpha"))), kWorkedExample) << "the aircraft before it was done";
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Charlie"))), plainCfg()) << "the ones after it are not touched";
    EXPECT_EQ(list2Entries().size(), 4) << "the lists are not rebuilt";
    EXPECT_EQ(buttons(), QStringLiteral("000"));

    clearMessages();
    child<QPushButton>("cmdAll")->click();
    child<QPushButton>("cmdYes")->click();
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Removed")});
    EXPECT_FALSE(hasLeftovers(sim));
}

TEST_F(ModifyTest, AdvancedRoundTripInsertsTheChosenLineAndIsSaved)
{
    Installation sim = fleet();
    startIn(sim);
    window().show();
    clickEntry(3);
    ASSERT_EQ(buttons(), QStringLiteral("111"));

    bool sawNeitherMode = false;
    QStringList listWhileOpen;
    // The dialog is modal: act on it from inside its own loop, and always leave it.
    QTimer::singleShot(0, &window(), [&] {
        auto* dialog = window().advancedDialog();
        sawNeitherMode = !child<QRadioButton>("Option1")->isChecked() && !child<QRadioButton>("Option2")->isChecked();
        listWhileOpen = selectedEntries();
        dialog->findChild<QCheckBox*>(QStringLiteral("chkPitch"))->setChecked(false);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdDone"))->click();
        if (dialog->isVisible())
            dialog->hide();
    });
    child<QRadioButton>("Option3")->click();

    EXPECT_TRUE(sawNeitherMode);
    EXPECT_EQ(listWhileOpen, QStringList{QStringLiteral("Delta")})
        << "the list stays as it was while the dialog is open";
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(selectedEntries().isEmpty()) << "Done rescans";

    clickEntry(0);
    child<QPushButton>("cmdYes")->click();
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))),
              QByteArray("A=1\r\n[autopilot]\r\ndefault_bank_mode=0\r\nB=2\r\nC=3\r\n[D]\r\n"));
    child<QPushButton>("cmdQuit")->click();
    EXPECT_TRUE(readFile(settingsPath()).startsWith("2\r\n"));
}

TEST_F(ModifyTest, ModifyWithNeitherModeChosenTouchesNothing)
{
    Installation sim = fleet();
    startIn(sim);
    child<QPushButton>("cmdAll")->click();
    {
        // "Advanced" holds the selection (its dialog is not needed for this).
        const QSignalBlocker blocker(child<QRadioButton>("Option3"));
        child<QRadioButton>("Option3")->setChecked(true);
    }
    window().cmdYes_Click();
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))), kWorkedExample);
    EXPECT_FALSE(
        QFile::exists(join(join(sim.aircraftFolder, QStringLiteral("Alpha")), QStringLiteral("aircraftcfg.bak"))));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ModifyTest, ConfigurationNamedInCapitalsKeepsItsName)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    const QString folder = sim.addAircraft(QStringLiteral("Caps"), kWorkedExample, QStringLiteral("Aircraft.CFG"));
    startIn(sim);
    child<QPushButton>("cmdAll")->click();
    child<QPushButton>("cmdYes")->click();
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{QStringLiteral("Aircraft.CFG"), QStringLiteral("aircraftcfg.bak")}));
    EXPECT_TRUE(readFile(join(folder, QStringLiteral("Aircraft.CFG"))).contains("default_bank_mode=0"));
}

} // namespace
} // namespace vantrel::test
