// Bad input through the real window: odd file content, odd folder names, links, folders that vanish or stand
// where a file should be, and broken settings files. Each case ends in the right list or a clear warning box,
// and no byte of any file is lost or changed outside the lines that the program means to change.
#include "window/WindowTestSupport.h"

#include "platform/FolderList.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::test {
namespace {

// The lines of a file as the program reads them: ended by CR, CR LF, a lone LF or the end of the file.
QList<QByteArray> linesOf(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray line;
    bool open = false;
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << line;
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line += c;
        open = true;
    }
    if (open)
        lines << line;
    return lines;
}

// A UTF-8 byte-order mark belongs to the file, not to its first line's text.
QByteArray withoutMark(const QByteArray& line, bool first)
{
    return first && line.startsWith("\xEF\xBB\xBF") ? line.mid(3) : line;
}

bool isWingLeveler(const QByteArray& line)
{
    const QByteArray lower = line.toLower();
    return lower.contains("default_pitch") || lower.contains("default_bank");
}

// What Remove must write with FS2004's lines and both boxes ticked.
QByteArray removed(const QByteArray& bytes)
{
    QByteArray out;
    const QList<QByteArray> lines = linesOf(bytes);
    for (int i = 0; i < lines.size(); ++i) {
        out += lines[i] + "\r\n";
        if (withoutMark(lines[i], i == 0).left(11).toLower() == "[autopilot]")
            out += "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n";
    }
    return out;
}

// What Restore must write: every line but the wing-leveler lines, each ended by CR LF.
QByteArray restored(const QByteArray& bytes)
{
    QByteArray out;
    for (const QByteArray& line : linesOf(bytes)) {
        if (!isWingLeveler(line))
            out += line + "\r\n";
    }
    return out;
}

class BadInputTest : public WindowTest
{
protected:
    void startIn(const Installation& sim)
    {
        writeFile(settingsPath(), "3\r\n/\r\n" + QFile::encodeName(sim.aircraftFolder) + "\r\n");
        startUp();
    }
    void allAndModify()
    {
        window().cmdAll_Click();
        window().cmdYes_Click();
    }
    void chooseRestore() { child<QRadioButton>("Option2")->click(); }
    QString boxes() const { return messages().join(QLatin1Char('\n')); }
    static QString bak(const QString& folder) { return join(folder, QStringLiteral("aircraftcfg.bak")); }
    static QString cfg(const QString& folder) { return join(folder, QStringLiteral("aircraft.cfg")); }
    // Every file below `folder` with its bytes, to prove that nothing else changed.
    static std::map<QString, QByteArray> snapshot(const QString& folder)
    {
        std::map<QString, QByteArray> files;
        QDir dir(folder);
        const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names)
            files[name] = readFile(join(folder, name));
        return files;
    }
};

// One installation holding every kind of odd content at once: Remove, then Restore, each on "All".
TEST_F(BadInputTest, OddContentIsListedRightAndKeepsEveryByte)
{
    static const char kBinary[] = "MZ\x90\0\x03\0\0\0\x04\0\r\n[autopilot]\r\n\0\0\xff\xfe\r\nmax\0bank=1\r\n\x80\x81\x82\0";
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    const std::map<QString, QByteArray> content{
        {QStringLiteral("Empty"), QByteArray()},
        {QStringLiteral("Binary"), QByteArray(kBinary, sizeof kBinary - 1)},
        {QStringLiteral("CrOnly"), "[fltsim.0]\rtitle=Cr\r[autopilot]\rmax_bank=25\r[views]\r"},
        {QStringLiteral("LfOnly"), "[fltsim.0]\ntitle=Lf\n[AutoPilot]\nmax_bank=25\n[views]\n"},
        {QStringLiteral("Mixed"), "[fltsim.0]\r\ntitle=Mixed\n[autopilot]\rmax_bank=25\r\n\n\r\r[views]"},
        {QStringLiteral("MarkFirst"), "\xEF\xBB\xBF[autopilot]\r\nmax_bank=25\r\n[views]\r\n"},
        {QStringLiteral("MarkLater"), "\xEF\xBB\xBF[fltsim.0]\r\ntitle=Mark\r\n[autopilot]\r\nmax_bank=25\r\n"},
        {QStringLiteral("Cp1252"), "[fltsim.0]\r\ntitle=Caf\xE9 \x96 Jet \xA9\r\n[autopilot]\r\nui_typerole=\"\x93x\x94\"\r\n"},
        {QStringLiteral("Utf8Name"), "[fltsim.0]\r\ntitle=\xC3\x9C\xC3\xAF \xE2\x80\x9C\xCE\xA9\xE2\x80\x9D\r\n"
                                     "[autopilot]\t// \xC2\xA0ok\r\n"},
        {QStringLiteral("NoHeader"), "[fltsim.0]\r\ntitle=None\r\n"},
    };
    for (const auto& [name, bytes] : content)
        sim.addAircraft(name, bytes);
    startIn(sim);
    QStringList all;
    for (const auto& entry : content)
        all << entry.first;
    all.sort(Qt::CaseInsensitive);
    ASSERT_EQ(list2Entries(), all) << "every file without a wing-leveler line belongs to the Remove list";

    allAndModify();
    EXPECT_EQ(boxes(), QString());
    for (const auto& [name, bytes] : content) {
        const QString folder = join(sim.aircraftFolder, name);
        EXPECT_EQ(readFile(cfg(folder)), removed(bytes)) << name.toStdString();
        EXPECT_EQ(readFile(bak(folder)), bytes) << name.toStdString() << ": the backup is the original";
        EXPECT_FALSE(QFile::exists(join(folder, QStringLiteral("aircraftcfg.tmp")))) << name.toStdString();
    }
    // Only the files without an [autopilot] header stay in the Remove list.
    EXPECT_EQ(list2Entries(), (QStringList{QStringLiteral("Empty"), QStringLiteral("NoHeader")}));

    chooseRestore();
    QStringList modified = all;
    modified.removeAll(QStringLiteral("Empty"));
    modified.removeAll(QStringLiteral("NoHeader"));
    ASSERT_EQ(list2Entries(), modified);
    allAndModify();
    EXPECT_EQ(boxes(), QString());
    for (const auto& [name, bytes] : content) {
        const QString folder = join(sim.aircraftFolder, name);
        EXPECT_EQ(readFile(cfg(folder)), restored(removed(bytes))) << name.toStdString();
        EXPECT_EQ(restored(removed(bytes)), restored(bytes)) << name.toStdString() << ": the original lines are back";
        // A backup of 100 bytes or fewer is taken afresh before every rewrite.
        EXPECT_EQ(readFile(bak(folder)), bytes.size() > 100 ? bytes : removed(bytes)) << name.toStdString();
    }
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Restored")});
}

// A 50 MB file that is one line, beside a normal aircraft: listed, and Modify only adds the line end.
TEST_F(BadInputTest, FiftyMegabyteSingleLine)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    QByteArray huge(50 * 1024 * 1024, 'x');
    for (int i = 0; i < huge.size(); i += 4096)
        huge[i] = '=';
    huge.replace(huge.size() - 13, 12, "default_bank"); // not a line on its own: only the end of the one line
    sim.addAircraft(QStringLiteral("Huge"), huge);
    sim.addAircraft(QStringLiteral("Small"), plainCfg());
    startIn(sim);
    ASSERT_EQ(list2Entries(), QStringList{QStringLiteral("Small")}) << "the word at the end of 50 MB is found";

    chooseRestore();
    ASSERT_EQ(list2Entries(), QStringList{QStringLiteral("Huge")});
    huge.replace(huge.size() - 13, 12, "xxxxxxxxxxxx");
    writeFile(sim.cfgPath(QStringLiteral("Huge")), huge);
    child<QRadioButton>("Option1")->click();
    ASSERT_EQ(list2Entries(), (QStringList{QStringLiteral("Huge"), QStringLiteral("Small")}));
    allAndModify();
    EXPECT_EQ(boxes(), QString());
    const QByteArray after = readFile(sim.cfgPath(QStringLiteral("Huge")));
    EXPECT_EQ(after.size(), huge.size() + 2);
    EXPECT_TRUE(after == huge + "\r\n") << "every byte of the long line kept, the line end added";
    EXPECT_TRUE(readFile(bak(join(sim.aircraftFolder, QStringLiteral("Huge")))) == huge);
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Small"))), modifiedCfg());
}

// Folder names with commas, blanks, quotes, non-ASCII letters and bytes that are not UTF-8 are listed as they
// are and Modify reaches each of them.
TEST_F(BadInputTest, AwkwardFolderNamesAreListedAndModified)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    const QList<QByteArray> names{"Cessna, 172", " Leading blank", "Trailing blank ", "Piper \"Cub\"", "it's",
                                  "\xC3\x9C\x62\x65r \xCE\xA9mega \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC", "Caf\xE9 \x96",
                                  "semi;colon=1", "back\\slash"};
    QStringList expected;
    for (const QByteArray& name : names) {
        const QByteArray folder = QFile::encodeName(sim.aircraftFolder) + "/" + name;
        ASSERT_EQ(mkdir(folder.constData(), 0755), 0) << name.constData();
        writeFile(FolderList::decodePath(folder + "/aircraft.cfg"), plainCfg());
        // The list shows the name as text; bytes that are not UTF-8 show as replacement characters there, while
        // the work list keeps the path byte for byte.
        expected << QString::fromUtf8(name);
    }
    startIn(sim);
    QStringList listed = list2Entries();
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(listed, expected);
    EXPECT_EQ(boxes(), QString());

    allAndModify();
    EXPECT_EQ(boxes(), QString());
    for (const QByteArray& name : names) {
        const QString folder = FolderList::decodePath(QFile::encodeName(sim.aircraftFolder) + "/" + name);
        EXPECT_EQ(readFile(cfg(folder)), modifiedCfg()) << name.constData();
        EXPECT_EQ(readFile(bak(folder)), plainCfg()) << name.constData();
    }
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Removed")});
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(sim.aircraftFolder).toStdString(), ignored);
}

// A linked aircraft folder is an aircraft like any other (its target is rewritten, the link stays a link);
// links that loop or lead back up are not aircraft and stop nothing.
TEST_F(BadInputTest, LinkedFoldersAndLinkLoops)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    const QString elsewhere = m_work.path() + QStringLiteral("/Elsewhere/Real");
    writeFile(cfg(elsewhere), plainCfg(QStringLiteral("Real")));
    sim.addAircraft(QStringLiteral("Normal"), plainCfg());
    const QByteArray base = QFile::encodeName(sim.aircraftFolder) + "/";
    ASSERT_EQ(symlink(QFile::encodeName(elsewhere).constData(), (base + "Linked").constData()), 0);
    ASSERT_EQ(symlink("Loop", (base + "Loop").constData()), 0);
    ASSERT_EQ(symlink("..", (base + "Up").constData()), 0);
    ASSERT_EQ(symlink(".", (base + "Self").constData()), 0);
    ASSERT_EQ(symlink("Ping", (base + "Pong").constData()), 0);
    ASSERT_EQ(symlink("Pong", (base + "Ping").constData()), 0);
    ASSERT_EQ(symlink("Missing", (base + "Dangling").constData()), 0);
    startIn(sim);
    EXPECT_EQ(boxes(), QString());
    ASSERT_EQ(list2Entries(), (QStringList{QStringLiteral("Linked"), QStringLiteral("Normal")}));

    allAndModify();
    EXPECT_EQ(boxes(), QString());
    EXPECT_EQ(readFile(cfg(elsewhere)), modifiedCfg(QStringLiteral("Real")));
    EXPECT_EQ(readFile(bak(elsewhere)), plainCfg(QStringLiteral("Real")));
    EXPECT_TRUE(QFileInfo(FolderList::decodePath(base + "Linked")).isSymLink());
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Normal"))), modifiedCfg());
    EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("All Aircraft have WL Removed")});
}

// An aircraft folder (or its aircraft.cfg) that goes away between the scan and Modify: a clear box, the aircraft
// before it done, nothing else touched; the next "All" and Modify finish the rest.
TEST_F(BadInputTest, AircraftThatVanishesBeforeModify)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"})
        sim.addAircraft(QString::fromLatin1(name), plainCfg(QString::fromLatin1(name)));
    startIn(sim);
    window().cmdAll_Click();
    ASSERT_TRUE(QDir(join(sim.aircraftFolder, QStringLiteral("Bravo"))).removeRecursively());
    window().cmdYes_Click();
    EXPECT_EQ(boxes(), QStringLiteral("Append Error|Error 76 Path not found"));
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Alpha"))), modifiedCfg(QStringLiteral("Alpha")));
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Charlie"))), plainCfg(QStringLiteral("Charlie")));
    EXPECT_EQ(list2Entries().size(), 4) << "the lists stay as they were after a failure";

    clearMessages();
    window().cmdAll_Click();
    ASSERT_EQ(list2Entries(), (QStringList{QStringLiteral("Charlie"), QStringLiteral("Delta")}));
    QFile::remove(sim.cfgPath(QStringLiteral("Charlie")));
    window().cmdYes_Click();
    EXPECT_EQ(boxes(), QStringLiteral("Append Error|Error 53 File not found"));
    EXPECT_FALSE(QFile::exists(sim.cfgPath(QStringLiteral("Charlie")))) << "no aircraft.cfg made from nothing";
    EXPECT_FALSE(QFile::exists(bak(join(sim.aircraftFolder, QStringLiteral("Charlie")))));

    clearMessages();
    allAndModify();
    EXPECT_EQ(boxes(), QString());
    EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Delta"))), modifiedCfg(QStringLiteral("Delta")));
}

// Folders where files belong: an aircraft.cfg that is a folder is no aircraft; a folder in the place of the
// backup or the temporary file stops the rewrite of that aircraft with a clear box and keeps its file whole.
TEST_F(BadInputTest, FoldersWhereFilesBelong)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    QDir().mkpath(cfg(join(sim.aircraftFolder, QStringLiteral("CfgIsFolder"))));
    QDir().mkpath(join(join(sim.aircraftFolder, QStringLiteral("CfgIsFolder2")), QStringLiteral("Aircraft.CFG")));
    const QString bakFolder = sim.addAircraft(QStringLiteral("BakIsFolder"), plainCfg());
    QDir().mkpath(bak(bakFolder));
    const QString tmpFolder = sim.addAircraft(QStringLiteral("TmpIsFolder"), plainCfg());
    QDir().mkpath(join(tmpFolder, QStringLiteral("aircraftcfg.tmp")));
    startIn(sim);
    EXPECT_EQ(boxes(), QString());
    ASSERT_EQ(list2Entries(), (QStringList{QStringLiteral("BakIsFolder"), QStringLiteral("TmpIsFolder")}));

    for (const QString& folder : {bakFolder, tmpFolder}) {
        clearMessages();
        window().cmdAll_Click();
        window().cmdYes_Click();
        EXPECT_EQ(boxes(), QStringLiteral("Append Error|Error 75 Path/File access error"));
        EXPECT_EQ(readFile(cfg(folder)), plainCfg());
        EXPECT_TRUE(QFileInfo(bak(folder)).isDir() || !QFile::exists(bak(folder)));
        QDir(folder).removeRecursively();
    }
}

// Broken settings files: start-up reports a clear "Load ini Error" naming the step (or uses the defaults), the
// window comes up usable, and the settings file is left exactly as it was.
TEST_F(BadInputTest, BrokenSettingsFiles)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    sim.addAircraft(QStringLiteral("Cub"), plainCfg());
    const QByteArray folder = QFile::encodeName(sim.aircraftFolder);
    QByteArray binary;
    for (int i = 0; i < 300; ++i)
        binary += static_cast<char>((i * 37 + 11) % 256);
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* step; // the step the box must name; nullptr: no box, and the list must show
    };
    const QList<Case> cases{
        {"garbage", "abc,def\r\nxyz\r\n###########\r\n", "Loading Advanced Options"},
        {"number then garbage", "3\r\n?\r\n\x01\x02\x03garbage\r\n", "Loading Drive Designator"},
        {"binary", binary, "Loading Advanced Options"},
        {"nul bytes", QByteArray(64, '\0'), "Loading Advanced Options"},
        {"long first line", QByteArray(1 << 20, '3') + "\r\n/\r\n" + folder + "\r\n", "Loading Advanced Options"},
        {"long path line", "3\r\n/\r\n" + QByteArray(200000, 'A') + "\r\n", "Loading FlightSim Path"},
        {"long drive line", "3\r\n/" + QByteArray(200000, ' ') + "\r\n" + folder + "\r\n", nullptr},
        {"two lines", "3\r\n/ [SYSTEM]\r\n", "Loading FlightSim Path"},
        {"no line ends", "3,/," + folder, "Loading Advanced Options"},
        {"quoted path", "\"3\"\r\n\"/\"\r\n\"" + folder + "\"\r\n", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        destroyWindow();
        clearMessages();
        writeFile(settingsPath(), test.bytes);
        startUp();
        const QStringList shown = messages();
        if (test.step) {
            ASSERT_EQ(shown.size(), 1) << shown.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Load ini Error|Error "))) << shown[0].toStdString();
            EXPECT_TRUE(shown[0].endsWith(QLatin1Char('\r') + QString::fromLatin1(test.step))) << shown[0].toStdString();
        } else {
            EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(list2Entries(), QStringList{QStringLiteral("Cub")});
        }
        EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
        EXPECT_TRUE(readFile(settingsPath()) == test.bytes) << "start-up never writes the settings file";
        EXPECT_EQ(readFile(sim.cfgPath(QStringLiteral("Cub"))), plainCfg());
    }
}

} // namespace
} // namespace vantrel::test
