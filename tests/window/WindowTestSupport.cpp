#include "WindowTestSupport.h"

#include "platform/FolderList.h"
#include "platform/MessageBox.h"
#include "platform/SystemSeams.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

namespace vantrel::test {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QString join(const QString& folder, const QString& name)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + name);
}

QByteArray plainCfg(const QString& title)
{
    return "[fltsim.0]\r\ntitle=" + title.toUtf8() +
           "\r\n[autopilot]\r\nautopilot_available=1\r\nmax_bank=25\r\n"
           "[Views]\r\neyepoint=-6.8, -0.85, 2.0\r\n";
}

QByteArray modifiedCfg(const QString& title)
{
    return "[fltsim.0]\r\ntitle=" + title.toUtf8() +
           "\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\nautopilot_available=1\r\nmax_bank=25\r\n"
           "[Views]\r\neyepoint=-6.8, -0.85, 2.0\r\n";
}

QString Installation::addAircraft(const QString& name, const QByteArray& cfg, const QString& cfgName)
{
    const QString folder = join(aircraftFolder, name);
    writeFile(join(folder, cfgName), cfg);
    return folder;
}

QString Installation::addFolder(const QString& name)
{
    const QString folder = join(aircraftFolder, name);
    QDir().mkpath(folder);
    return folder;
}

QString Installation::cfgPath(const QString& name) const
{
    return join(join(aircraftFolder, name), QStringLiteral("aircraft.cfg"));
}

Installation makeInstallation(const QString& root, const QString& executable)
{
    Installation installation;
    installation.root = QDir::toNativeSeparators(root);
    installation.aircraftFolder = join(root, QStringLiteral("Aircraft"));
    QDir().mkpath(installation.aircraftFolder);
    if (!executable.isEmpty())
        writeFile(join(root, executable), QByteArray("MZ placeholder"));
    return installation;
}

void WindowTest::SetUp()
{
    ASSERT_TRUE(m_work.isValid());
    ASSERT_TRUE(m_current.isValid());
    m_previousCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_current.path()));
    MessageBox::startRecording();
    Beep::setSilent(true);
    ProgramEnd::setHandler([] {});
    m_endCallsBefore = ProgramEnd::calls();
}

void WindowTest::TearDown()
{
    destroyWindow();
    MessageBox::stopRecording();
    QDir::setCurrent(m_previousCurrent);
}

frmVantrel& WindowTest::window()
{
    if (!m_window)
        m_window = std::make_unique<frmVantrel>();
    return *m_window;
}

void WindowTest::startUp()
{
    window().Form_Load();
}

void WindowTest::destroyWindow()
{
    m_window.reset();
}

void WindowTest::navigateTo(const QString& folder)
{
    child<FolderList>("Dir1")->setPath(folder);
}

QStringList WindowTest::list2Entries()
{
    QStringList entries;
    auto* list = child<QListWidget>("List2");
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

QStringList WindowTest::list1Entries()
{
    QStringList entries;
    auto* list = child<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

QStringList WindowTest::selectedEntries()
{
    QStringList entries;
    auto* list = child<QListWidget>("List2");
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            entries << list->item(i)->text();
    }
    return entries;
}

void WindowTest::clickEntry(int row)
{
    auto* list = child<QListWidget>("List2");
    ASSERT_LT(row, list->count());
    if (!window().isVisible())
        window().show();
    list->scrollToItem(list->item(row));
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

bool WindowTest::shown(const char* name)
{
    return !child<QWidget>(name)->isHidden();
}

QString WindowTest::settingsPath() const
{
    return join(m_current.path(), QStringLiteral("Vantrel.ini"));
}

QStringList WindowTest::messages() const
{
    QStringList out;
    for (const auto& record : MessageBox::records())
        out << record.title + QLatin1Char('|') + record.text;
    return out;
}

void WindowTest::clearMessages()
{
    MessageBox::clearRecords();
}

} // namespace vantrel::test
