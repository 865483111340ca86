// Navigation to an aircraft folder, the two scans and the selection commands, through the real window.
#include "WindowTestSupport.h"

#include "catalogue/Catalogue.h"
#include "platform/FolderList.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel::test {
namespace {

class CatalogueTest : public WindowTest
{
protected:
    // Buttons as "Modify Clear All", each 1 when shown.
    QString buttons() { return QStringLiteral("%1%2%3").arg(shown("cmdYes")).arg(shown("cmdNo")).arg(shown("cmdAll")); }
    QString label(const char* name) { return child<QLabel>(name)->text(); }

    Installation typical()
    {
        Installation sim = makeInstallation(m_work.path() + QStringLiteral("/FS9"));
        sim.addAircraft(QStringLiteral("Glider_XL"), plainCfg());
        sim.addAircraft(QStringLiteral("b737"), modifiedCfg());
        sim.addAircraft(QStringLiteral("Cub"), plainCfg(), QStringLiteral("Aircraft.CFG"));
        sim.addFolder(QStringLiteral("Empty folder"));
        sim.addAircraft(QStringLiteral("CSL"), plainCfg());
        sim.addAircraft(QStringLiteral("Zero"), QByteArray());
        sim.addAircraft(QStringLiteral("all aircraft lowercase"), plainCfg());
        return sim;
    }
};

TEST_F(CatalogueTest, NavigationListsTheEnabledAircraftInFolderOrder)
{
    Installation sim = typical();
    startUp();
    navigateTo(sim.aircraftFolder);

    EXPECT_EQ(window().MyFile, QStringLiteral("fs9.exe"));
    // Sorted by name ignoring case; CSL never listed; the empty file has no wing leveler; b737 is modified.
    const QStringList expected{QStringLiteral("all aircraft lowercase"), QStringLiteral("Cub"),
                               QStringLiteral("Glider_XL"), QStringLiteral("Zero")};
    EXPECT_EQ(list2Entries(), expected);
    QStringList folders;
    for (const QString& name : expected)
        folders << join(sim.aircraftFolder, name);
    EXPECT_EQ(list1Entries(), folders);
    EXPECT_TRUE(selectedEntries().isEmpty());

    EXPECT_EQ(label("Label2"), QStringLiteral("Total Aircraft: 4")) << "seven folders, less three";
    EXPECT_EQ(label("Label3"), QStringLiteral("Aircraft with Wing Leveler Enabled: 4"));
    EXPECT_TRUE(shown("List2") && shown("Label2") && shown("Label3"));
    EXPECT_FALSE(shown("Label1"));
    EXPECT_EQ(buttons(), QStringLiteral("011"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();

    // The last aircraft found decides the name positions (the CSL folder and the others are examined in order).
    EXPECT_EQ(window().AirCraftName, QStringLiteral("Zero"));
    EXPECT_EQ(window().CfgFileName.mid(window().StartOfName - 1, window().EndOfName - window().StartOfName),
              QStringLiteral("Zero"));

    // Restore lists the modified one.
    child<QRadioButton>("Option2")->click();
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("b737")});
    EXPECT_EQ(label("Label3"), QStringLiteral("Aircraft with Wing Leveler Disabled: 1"));
    EXPECT_EQ(window().LastChoice, 2);
    EXPECT_FALSE(child<QRadioButton>("Option3")->isEnabled());
    child<QRadioButton>("Option1")->click();
    EXPECT_EQ(list2Entries().size(), 4);
    EXPECT_TRUE(child<QRadioButton>("Option3")->isEnabled());
}

TEST_F(CatalogueTest, SelectionButtonsFollowClicksAllAndClear)
{
    Installation sim = typical();
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(buttons(), QStringLiteral("011"));

    clickEntry(1);
    EXPECT_EQ(selectedEntries(), QStringList{QStringLiteral("Cub")});
    EXPECT_EQ(buttons(), QStringLiteral("111"));
    clickEntry(2);
    EXPECT_EQ(selectedEntries().size(), 2);
    clickEntry(1);
    clickEntry(2);
    EXPECT_TRUE(selectedEntries().isEmpty()) << "a click toggles";
    EXPECT_EQ(buttons(), QStringLiteral("011"));

    child<QPushButton>("cmdAll")->click();
    EXPECT_EQ(selectedEntries(), list2Entries());
    EXPECT_EQ(selectedEntries().size(), 4);
    EXPECT_EQ(buttons(), QStringLiteral("111"));
    EXPECT_FALSE(window().SelectAll);

    child<QPushButton>("cmdNo")->click();
    EXPECT_EQ(list2Entries().size(), 4);
    EXPECT_TRUE(selectedEntries().isEmpty());
    EXPECT_EQ(buttons(), QStringLiteral("011"));

    // A list that changed on disk is scanned afresh by "All".
    sim.addAircraft(QStringLiteral("Dash 8"), plainCfg());
    child<QPushButton>("cmdAll")->click();
    EXPECT_EQ(selectedEntries().size(), 5);
}

TEST_F(CatalogueTest, MessageEntryWhenEverythingIsDoneAndAnAircraftNamedLikeIt)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/FS9"));
    sim.addAircraft(QStringLiteral("Done1"), modifiedCfg());
    sim.addAircraft(QStringLiteral("Done2"), modifiedCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Removed")});
    EXPECT_EQ(selectedEntries(), list2Entries());
    EXPECT_TRUE(list1Entries().isEmpty());
    EXPECT_EQ(buttons(), QStringLiteral("000"));
    EXPECT_EQ(label("Label3"), QString()) << "outcome A leaves the title as it was";
    clickEntry(0);
    clickEntry(0);
    EXPECT_EQ(buttons(), QStringLiteral("000")) << "clicking the message entry never offers a command";

    // Restore mode: the message follows the chosen mode.
    child<QRadioButton>("Option2")->click();
    EXPECT_EQ(list2Entries(), (QStringList{QStringLiteral("Done1"), QStringLiteral("Done2")}));
    child<QPushButton>("cmdAll")->click();
    EXPECT_EQ(buttons(), QStringLiteral("111"));

    // An aircraft whose folder begins with "All Aircraft" is an aircraft like any other.
    sim.addAircraft(QStringLiteral("All Aircraft Trainer"), plainCfg());
    child<QRadioButton>("Option1")->click();
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft Trainer")});
    EXPECT_EQ(buttons(), QStringLiteral("011"));
    clickEntry(0);
    EXPECT_EQ(buttons(), QStringLiteral("111"));
    child<QPushButton>("cmdAll")->click();
    EXPECT_EQ(buttons(), QStringLiteral("111"));
}

TEST_F(CatalogueTest, EmptyFolderBeforeAndAfterAnyAircraftWasFound)
{
    Installation empty = makeInstallation(m_work.path() + QStringLiteral("/Empty"));
    empty.addFolder(QStringLiteral("one"));
    empty.addFolder(QStringLiteral("two"));
    Installation full = makeInstallation(m_work.path() + QStringLiteral("/Full"), QStringLiteral("FS2000.EXE"));
    full.addAircraft(QStringLiteral("Cub"), plainCfg());
    startUp();

    navigateTo(empty.aircraftFolder);
    EXPECT_TRUE(list2Entries().isEmpty());
    EXPECT_EQ(label("Label3"), QStringLiteral("Aircraft with Wing Leveler Enabled: 0"));
    EXPECT_EQ(label("Label2"), QStringLiteral("Total Aircraft: 0")) << "never negative";
    EXPECT_EQ(buttons(), QStringLiteral("000"));

    navigateTo(full.aircraftFolder);
    EXPECT_EQ(window().MyFile, QStringLiteral("fs2000.exe"));
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("Cub")});

    navigateTo(empty.aircraftFolder);
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Removed")});
}

TEST_F(CatalogueTest, RejectedFoldersHideTheListAreaAndItsCommands)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    sim.addAircraft(QStringLiteral("Cub"), plainCfg());
    Installation noSim = makeInstallation(m_work.path() + QStringLiteral("/NoSim"), QString());
    noSim.addAircraft(QStringLiteral("Cub"), plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    clickEntry(0);
    EXPECT_EQ(buttons(), QStringLiteral("111"));

    // No simulator beside the folder: nothing to act on stays on screen, and no message.
    navigateTo(noSim.aircraftFolder);
    EXPECT_TRUE(window().MyFile.isEmpty());
    EXPECT_FALSE(shown("List2") || shown("Label2") || shown("Label3"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_EQ(buttons(), QStringLiteral("000"));
    EXPECT_TRUE(messages().isEmpty());

    // A folder that does not end in "aircraft" keeps MyFile as it was.
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(window().MyFile, QStringLiteral("fs9.exe"));
    navigateTo(join(sim.aircraftFolder, QStringLiteral("Cub")));
    EXPECT_EQ(window().MyFile, QStringLiteral("fs9.exe"));
    EXPECT_TRUE(shown("Label1"));

    // A mode change meanwhile fills the hidden list but offers no command.
    child<QRadioButton>("Option2")->click();
    child<QRadioButton>("Option1")->click();
    EXPECT_FALSE(shown("List2"));
    EXPECT_EQ(buttons(), QStringLiteral("000"));
}

TEST_F(CatalogueTest, CountsCombatFoldersWhole)
{
    Installation combat =
        makeInstallation(m_work.path() + QStringLiteral("/Games/Combat"), QStringLiteral("fs2000.exe"));
    for (const char* name : {"a", "b", "c", "d", "e"})
        combat.addFolder(QString::fromLatin1(name));
    startUp();
    navigateTo(combat.aircraftFolder);
    EXPECT_EQ(label("Label2"), QStringLiteral("Total Aircraft: 5"));
    EXPECT_EQ(totalAircraftCaption(5, QStringLiteral("/x/Sim/Aircraft")), QStringLiteral("Total Aircraft: 2"));
    EXPECT_EQ(totalAircraftCaption(2, QStringLiteral("/x/Sim/Aircraft")), QStringLiteral("Total Aircraft: 0"));
}

TEST_F(CatalogueTest, AircraftAreNamedAfterTheirOwnFolder)
{
    // An installation below another folder named "Aircraft" still names each aircraft by its folder.
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Aircraft/FS"));
    sim.addAircraft(QStringLiteral("Glider"), plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("Glider")});

    const QString sep = QDir::separator();
    const QString cfg = QStringLiteral("D:") + sep + QStringLiteral("FS2002") + sep + QStringLiteral("Aircraft") + sep +
                        QStringLiteral("Trainer01") + sep + QStringLiteral("aircraft.cfg");
    const AircraftNameSpan span = aircraftNameOf(cfg);
    EXPECT_EQ(span.start, 20);
    EXPECT_EQ(span.end, 29);
    EXPECT_EQ(span.name, QStringLiteral("Trainer01"));
    EXPECT_TRUE(isCslFolder(QStringLiteral("Csl")));
    EXPECT_FALSE(isCslFolder(QStringLiteral("CSL2")));
}

TEST_F(CatalogueTest, CorpusAircraftLandInTheRightList)
{
    const QString corpus = QStringLiteral(VANTREL_CORPUS_DIR);
    if (!QDir(corpus).exists())
        GTEST_SKIP() << "no corpus beside the repository at " << corpus.toStdString();
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/FS9"));
    QStringList withLeveler;
    QStringList without;
    QDirIterator it(corpus, {QStringLiteral("*.cfg")}, QDir::Files, QDirIterator::Subdirectories);
    int n = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = readFile(path);
        const QString name = QStringLiteral("corpus%1_").arg(n++, 2, 10, QLatin1Char('0')) + it.fileInfo().baseName();
        sim.addAircraft(name, bytes);
        const QByteArray lower = bytes.toLower();
        (lower.contains("default_bank") || lower.contains("default_pitch") ? withLeveler : without) << name;
    }
    ASSERT_GT(n, 5);
    startUp();
    navigateTo(sim.aircraftFolder);
    EXPECT_EQ(list2Entries(), without);
    child<QRadioButton>("Option2")->click();
    EXPECT_EQ(list2Entries(), withLeveler);
    EXPECT_FALSE(withLeveler.isEmpty());
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(CatalogueTest, AllOnManyAircraftSelectsEveryOne)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Big"));
    for (int i = 0; i < 1500; ++i)
        sim.addAircraft(QStringLiteral("Plane%1").arg(i, 4, 10, QLatin1Char('0')), plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    child<QPushButton>("cmdAll")->click();
    EXPECT_EQ(child<QListWidget>("List2")->selectedItems().size(), 1500);
    EXPECT_EQ(label("Label3"), QStringLiteral("Aircraft with Wing Leveler Enabled: 1500"));
}

} // namespace
} // namespace vantrel::test
