// The aircraft catalogue of the main window: detection of one aircraft, the two scans that fill the
// selection list, and the selection commands.
#include "app/frmVantrel.h"

#include "catalogue/Catalogue.h"
#include "engine/AppError.h"
#include "engine/Classifier.h"
#include "platform/FileList.h"
#include "platform/FolderList.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"

#include <QDir>
#include <QItemSelection>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel {

namespace {

// List notifications raised by a scan are folded into one run of the click handler at its end,
// so that a scan of thousands of aircraft costs no more than the aircraft themselves.
class ScanScope
{
public:
    explicit ScanScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~ScanScope() { --m_depth; }
    ScanScope(const ScanScope&) = delete;
    ScanScope& operator=(const ScanScope&) = delete;

private:
    int& m_depth;
};

} // namespace

void frmVantrel::CheckFile()
{
    m_checkFailed = false;
    engine::Classification result;
    try {
        const QString path = Dir1->path();
        MyFile.clear();
        if (path.size() >= 8) {
            const QString simulatorFolder = path.left(path.size() - 8);
            MyFile = fromFileName(engine::findSimulator(toFileName(simulatorFolder)));
        }
        ErrorMsg = QStringLiteral("Opening ") + CfgFileName;
        engine::classifyFile(toFileName(CfgFileName), result);
        ErrorMsg = QStringLiteral("Check for WingLeveler Code");
        if (result.anyLineRead) {
            Data = fromLineBytes(result.lastLine);
            FindPitch = result.findPitch;
            FindBank = result.findBank;
        }
        // An empty file has no wing-leveler line: its aircraft is one whose leveler is still enabled.
        Modified = result.found;
    } catch (const AppError& error) {
        m_checkFailed = true;
        // The report names the step: the opening, or the line read before the one that failed.
        if (result.opened) {
            if (result.anyLineRead) {
                Data = fromLineBytes(result.lastLine);
                Modified = false;
            }
            ErrorMsg = QStringLiteral("Data= ") + Data;
        }
        MessageBox::show(QString::fromStdString(error.report()) + QLatin1Char('\r') + ErrorMsg, MessageIcon::Warning,
                         QStringLiteral("Aircraft Cfg File Error"), this);
    }
}

void frmVantrel::LoadListRemove()
{
    loadList(ScanKind::Remove);
}

void frmVantrel::LoadListRestore()
{
    loadList(ScanKind::Restore);
}

void frmVantrel::loadList(ScanKind kind)
{
    const bool restoreList = kind == ScanKind::Restore;
    ScanScope scope(m_scanDepth);
    int count = 0;
    try {
        List1->clear();
        List2->clear();
        File1->setFileName(QString());
        ErrorMsg = QStringLiteral("Loop through Aircraft Directories");
        // Aircraft added or removed since the folder was opened count: the folders are read afresh.
        Dir1->refresh();

        const int folderCount = Dir1->listCount();
        const QChar separator = QDir::separator();
        for (x = 0; x < folderCount; ++x) {
            const QString folder = Dir1->list(x);
            ErrorMsg = QStringLiteral("Set path to ") + folder;
            File1->setPath(folder);
            if (File1->listCount() > 0)
                File1->setListIndex(0);
            ErrorMsg = QStringLiteral("Check ") + File1->fileName();
            if (File1->fileName().toLower() != QLatin1String("aircraft.cfg"))
                continue;

            ErrorMsg = QStringLiteral("Get Aircraft Name");
            CfgFileName = File1->path() + separator + File1->fileName();
            const AircraftNameSpan span = aircraftNameOf(CfgFileName);
            StartOfName = span.start;
            EndOfName = span.end;
            AirCraftName = span.name;
            if (isCslFolder(AirCraftName))
                continue;

            ErrorMsg = QStringLiteral("Check for Wing Leveler");
            CheckFile();
            // An aircraft whose file could not be read was reported by the detection; it belongs to
            // neither list, since nothing is known of its wing leveler.
            if (m_checkFailed)
                continue;

            ErrorMsg = QStringLiteral("Add to Not Modified List");
            if (Modified == restoreList) {
                List1->addItem(File1->path());
                List2->addItem(AirCraftName);
                ++count;
            }
        }
        if (SelectAll && count > 0) {
            // One range for the whole list: selecting entry by entry would cost time quadratic in the count.
            const QModelIndex first = List2->model()->index(0, 0);
            const QModelIndex last = List2->model()->index(count - 1, 0);
            List2->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Select);
        }

        const int listed = List2->count();
        if (StartOfName > 0 && listed == 0) {
            // Outcome A: every aircraft of the folder is already in the other state.
            if (Option1->isChecked())
                List2->addItem(messageEntryText(false));
            if (Option2->isChecked())
                List2->addItem(messageEntryText(true));
            if (List2->count() > 0) {
                List2->item(0)->setSelected(true);
                List2->selectionModel()->setCurrentIndex(List2->model()->index(0, 0), QItemSelectionModel::NoUpdate);
            }
            cmdAll->hide();
            cmdNo->hide();
            cmdYes->hide();
        } else {
            Label3->setText(listCaption(restoreList, listed));
            if (listed > 0) {
                setSelectionButtons(cmdYes->isVisible(), true, true);
                List2->selectionModel()->setCurrentIndex(List2->model()->index(0, 0), QItemSelectionModel::NoUpdate);
                List2_Click();
            } else {
                cmdAll->hide();
                cmdNo->hide();
            }
        }
    } catch (const AppError& error) {
        MessageBox::show(QString::fromStdString(error.report()) + QLatin1Char('\r') + ErrorMsg, MessageIcon::Warning,
                         QStringLiteral("LoadList Error"), this);
    }
}

bool frmVantrel::currentIsMessageEntry() const
{
    // The message entry is the only entry of a list that holds no aircraft; an aircraft whose folder
    // happens to be called "All Aircraft..." is an aircraft like any other.
    return List1->count() == 0 && List2->count() == 1;
}

void frmVantrel::setSelectionButtons(bool modify, bool clear, bool all)
{
    // Nothing can be modified unseen: while the list area is hidden, so are its commands.
    if (!m_listAreaShown)
        modify = clear = all = false;
    cmdYes->setVisible(modify);
    cmdNo->setVisible(clear);
    cmdAll->setVisible(all);
}

void frmVantrel::List2_Click()
{
    const bool anySelected = List2->selectionModel()->hasSelection();
    if (currentIsMessageEntry())
        setSelectionButtons(false, false, false);
    else if (!anySelected)
        setSelectionButtons(false, true, true);
    else
        setSelectionButtons(true, true, true);
}

void frmVantrel::cmdAll_Click()
{
    SelectAll = true;
    if (Option1->isChecked())
        LoadListRemove();
    if (Option2->isChecked())
        LoadListRestore();
    SelectAll = false;
}

void frmVantrel::cmdNo_Click()
{
    SelectAll = false;
    if (Option1->isChecked())
        LoadListRemove();
    if (Option2->isChecked())
        LoadListRestore();
    cmdYes->hide();
}

} // namespace vantrel
