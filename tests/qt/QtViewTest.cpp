// The Qt window over the program, driven as a user drives it: real mouse clicks on the real widgets, modal
// dialogs and message boxes shown by the toolkit, on a copy of the demo installation.
#include "browse/FolderModel.h"
#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "layout/Order.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pixels.h"

#include "support/Watchdog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

#include <cstdlib>
#include <optional>

#include <sys/stat.h>

namespace vantrel::test {
namespace {

// The real window, except that the end of the program and the beep are only counted, and that a test can make its
// next drawing fail as nothing in the program expects.
class TestWindow : public qt::MainWindow
{
public:
    void beep() override { ++beeps; }
    void endProgram() override { ++ends; }
    void render(const form::WindowState& state) override
    {
        if (std::exchange(failNextRender, false))
            throw std::runtime_error("the window could not draw");
        qt::MainWindow::render(state);
    }

    int beeps = 0;
    int ends = 0;
    bool failNextRender = false;
};

// Runs `action` on the next modal window to open above `below` (the modal window active now), from the event loop
// that the opening call runs. Gives up, failing the test, when none opens within a few seconds.
void onNextModal(std::function<void(QWidget*)> action)
{
    QWidget* below = QApplication::activeModalWidget();
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool opened = modal != nullptr && modal != below && modal->isVisible();
        if (!opened && waited->elapsed() < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (opened)
            action(modal);
        else
            ADD_FAILURE() << "no modal window opened";
    });
    poll->start(5);
}

// Closes every modal window that opens within `ms` milliseconds, collecting the texts of the message boxes among them.
QStringList boxesWithin(int ms, const std::function<void()>& action)
{
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(5);
    action();
    QTest::qWait(ms);
    return texts;
}

void clickOk(QWidget* messageBox)
{
    QTest::mouseClick(static_cast<QMessageBox*>(messageBox)->button(QMessageBox::Ok), Qt::LeftButton);
}

// A click where a user clicks a radio button or a check box: on its mark.
void clickMark(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(7, control->height() / 2));
}

class QtViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        std::filesystem::copy(VANTREL_DEMO_DIR "/FS9", work.filePath(QStringLiteral("FS9")).toStdString(),
                              std::filesystem::copy_options::recursive);
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("start"))));
        ASSERT_TRUE(QDir::setCurrent(work.filePath(QStringLiteral("start"))));
    }

    void TearDown() override
    {
        form.reset();
        window.reset();
        QDir::setCurrent(previous);
    }

    // Starts the program in the way it starts for a user, with settings that open `folder` (none: no settings).
    void start(const QString& folder = QString())
    {
        if (!folder.isEmpty()) {
            QFile settings(QStringLiteral("Vantrel.ini"));
            ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
            settings.write((QStringLiteral("3\r\n/\r\n") + folder + QStringLiteral("\r\n")).toUtf8());
        }
        window = std::make_unique<TestWindow>();
        form = std::make_unique<form::frmVantrel>(*window);
        window->setPresenter(form.get());
        form->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class T> T* child(const char* name)
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString aircraftFolder() const { return work.filePath(QStringLiteral("FS9/Aircraft")); }

    void clickEntry(const char* list, int row)
    {
        auto* widget = child<QListWidget>(list);
        widget->scrollToItem(widget->item(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                          widget->visualItemRect(widget->item(row)).center());
    }

    void doubleClickEntry(const char* list, int row)
    {
        auto* widget = child<QListWidget>(list);
        widget->scrollToItem(widget->item(row));
        const QPoint at = widget->visualItemRect(widget->item(row)).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    QStringList entries(const char* list)
    {
        QStringList texts;
        auto* widget = child<QListWidget>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }

    QTemporaryDir work;
    QString previous;
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<form::frmVantrel> form;
};

TEST_F(QtViewTest, ControlsSitWhereTheLayoutPutsThemAndNoneIsCovered)
{
    start(aircraftFolder());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantrel"));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    const layout::Window& design = layout::kMain;
    EXPECT_EQ(window->size(), toPixels(design.clientWidth, design.clientHeight));

    for (const layout::Control& row : design) {
        if (!layout::isCreated(row))
            continue;
        QWidget* control = child<QWidget>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(row.parent ? row.parent : design.name))
            << row.name;
        EXPECT_EQ(control->geometry(), toPixels(row.rect)) << row.name;
        if (row.caption != text::Id::None && row.kind != layout::Kind::Frame) {
            EXPECT_EQ(control->property("text").toString().toStdString(), text::get(row.caption)) << row.name;
        }
    }
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("List1")), nullptr);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("File1")), nullptr);

    // Tab walks the controls in the table's order (those that take the focus by Tab).
    QStringList expected;
    for (const layout::Control* row : layout::tabOrder(design)) {
        const QWidget* control = window->findChild<QWidget*>(QLatin1String(row->name));
        if (control != nullptr && (control->focusPolicy() & Qt::TabFocus))
            expected << QLatin1String(row->name);
    }
    QStringList walked;
    QWidget* at = child<QWidget>(expected.first().toLatin1().constData());
    do {
        if (expected.contains(at->objectName()) && at->parentWidget() != nullptr)
            walked << at->objectName();
        at = at->nextInFocusChain();
    } while (walked.size() < expected.size() && at != nullptr);
    EXPECT_EQ(walked.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());

    // Every control on screen can be reached by the mouse: none lies under another (the list under its frame,
    // say). Label1 shares its place with the list and is hidden while the list is shown.
    ASSERT_TRUE(child<QWidget>("List2")->isVisible());
    for (const layout::Control& row : design) {
        QWidget* control = window->findChild<QWidget*>(QLatin1String(row.name));
        if (control == nullptr || !control->isVisible() || qobject_cast<QGroupBox*>(control) != nullptr)
            continue;
        QWidget* hit = window->childAt(control->mapTo(window.get(), control->rect().center()));
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
            << row.name << " is covered by " << (hit ? hit->objectName().toStdString() : "nothing");
    }
}

TEST_F(QtViewTest, ClicksOnTheControlsReachTheProgram)
{
    start(aircraftFolder());
    auto* list = child<QListWidget>("List2");
    auto* modify = child<QPushButton>("cmdYes");
    ASSERT_TRUE(list->isVisible());
    ASSERT_GT(list->count(), 1);
    EXPECT_TRUE(child<QLabel>("Label2")->text().startsWith(QStringLiteral("Total Aircraft: ")));
    EXPECT_FALSE(modify->isVisible());

    // A click on an entry selects it and offers Modify; a second click on it takes both back.
    clickEntry("List2", 1);
    EXPECT_TRUE(list->item(1)->isSelected());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(modify->isVisible());
    clickEntry("List2", 1);
    EXPECT_FALSE(list->item(1)->isSelected());
    EXPECT_FALSE(modify->isVisible());

    // "Restore" lists the other aircraft and disables "Advanced"; "Remove" brings both back.
    const QStringList enabled = entries("List2");
    clickMark(child<QRadioButton>("Option2"));
    EXPECT_TRUE(child<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option3")->isEnabled());
    EXPECT_NE(entries("List2"), enabled);
    EXPECT_TRUE(child<QLabel>("Label3")->text().startsWith(QStringLiteral("Aircraft with Wing Leveler Disabled: ")));
    clickMark(child<QRadioButton>("Option1"));
    EXPECT_TRUE(child<QRadioButton>("Option3")->isEnabled());
    EXPECT_EQ(entries("List2"), enabled);

    // "All" then "Modify" rewrites every listed aircraft; afterwards none is left with its leveler enabled.
    QTest::mouseClick(child<QPushButton>("cmdAll"), Qt::LeftButton);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), enabled.size());
    QTest::mouseClick(modify, Qt::LeftButton);
    EXPECT_EQ(window->beeps, 1);
    QFile cfg(aircraftFolder() + QStringLiteral("/") + enabled.first() + QStringLiteral("/aircraft.cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly)) << enabled.first().toStdString();
    EXPECT_TRUE(cfg.readAll().contains("default_bank"));
    EXPECT_EQ(list->count(), 1) << "only the message entry is left";

    // The close box is Quit: the settings are written and the program ends.
    QFile::remove(QStringLiteral("Vantrel.ini"));
    window->close();
    EXPECT_EQ(window->ends, 1);
    EXPECT_TRUE(QFile::exists(QStringLiteral("Vantrel.ini")));
}

TEST_F(QtViewTest, KeysInTheSelectionListMoveTheCurrentEntryAndSpaceAloneToggles)
{
    start(aircraftFolder());
    auto* list = child<QListWidget>("List2");
    ASSERT_GT(list->count(), 4);
    const QStringList names = entries("List2");
    // What the list highlights, and what the program will modify.
    const auto highlighted = [&] {
        std::vector<int> rows;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected())
                rows.push_back(i);
        return rows;
    };
    const auto chosen = [&] {
        std::vector<int> rows;
        for (std::size_t i = 0; i < form->state().list2.size(); ++i)
            if (form->state().list2[i].selected)
                rows.push_back(static_cast<int>(i));
        return rows;
    };

    clickEntry("List2", 0);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int current;
    } moves[] = {{Qt::Key_Down, Qt::NoModifier, 1},      {Qt::Key_Down, Qt::NoModifier, 2},
                 {Qt::Key_End, Qt::NoModifier, -1},      {Qt::Key_Home, Qt::NoModifier, 0},
                 {Qt::Key_PageDown, Qt::NoModifier, -2}, {Qt::Key_PageUp, Qt::NoModifier, 0},
                 {Qt::Key_Down, Qt::ShiftModifier, 1},   {Qt::Key_Down, Qt::ControlModifier, 2},
                 {Qt::Key_A, Qt::ControlModifier, -2},   {Qt::Key_Up, Qt::NoModifier, 1}};
    for (const auto& move : moves) {
        QTest::keyClick(list, move.key, move.modifiers);
        EXPECT_EQ(highlighted(), std::vector<int>{0}) << "after key " << move.key;
        EXPECT_EQ(chosen(), std::vector<int>{0}) << "after key " << move.key;
        if (move.current == -1) {
            EXPECT_EQ(list->currentRow(), list->count() - 1);
        } else if (move.current >= 0) {
            EXPECT_EQ(list->currentRow(), move.current) << "after key " << move.key;
        }
        EXPECT_EQ(form->state().list2Current, list->currentRow());
    }
    // Typing a letter jumps to a name without selecting it.
    QTest::keyClicks(list, names.at(3).left(1));
    EXPECT_EQ(highlighted(), std::vector<int>{0});
    QTest::keyClick(list, Qt::Key_Down);
    const int current = list->currentRow();
    QTest::keyClick(list, Qt::Key_Space);
    std::vector<int> expected{0, current};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(highlighted(), expected);
    EXPECT_EQ(chosen(), expected);

    // Modify changes exactly the highlighted aircraft.
    QTest::mouseClick(child<QPushButton>("cmdYes"), Qt::LeftButton);
    for (int i = 0; i < names.size(); ++i) {
        QFile cfg(aircraftFolder() + QStringLiteral("/") + names.at(i) + QStringLiteral("/aircraft.cfg"));
        ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
        EXPECT_EQ(cfg.readAll().contains("default_bank_mode=0"), i == 0 || i == current) << names.at(i).toStdString();
    }
}

TEST_F(QtViewTest, OptionButtonsAreOneTabStopAtTheChosenOneAndTheArrowsChoose)
{
    start(aircraftFolder());
    const QStringList enabled = entries("List2");
    auto* option1 = child<QRadioButton>("Option1");
    auto* option2 = child<QRadioButton>("Option2");
    auto* option3 = child<QRadioButton>("Option3");
    window->activateWindow();
    child<QWidget>("Dir1")->setFocus();
    // Tab comes to the group once, on the chosen option, and leaves it at the next press.
    QWidget* reached = nullptr;
    for (int tabs = 0; tabs < 12 && !qobject_cast<QRadioButton*>(reached); ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = QApplication::focusWidget();
    }
    EXPECT_EQ(reached, option1);
    QTest::keyClick(option1, Qt::Key_Tab);
    EXPECT_FALSE(qobject_cast<QRadioButton*>(QApplication::focusWidget()));

    // The arrows choose round the group, as a click does; "Advanced" is skipped in Restore.
    option1->setFocus();
    QTest::keyClick(option1, Qt::Key_Right);
    EXPECT_EQ(form->state().option, 2);
    EXPECT_TRUE(option2->isChecked() && option2->hasFocus() && !option1->isChecked());
    EXPECT_NE(entries("List2"), enabled);
    QTest::keyClick(option2, Qt::Key_Down);
    EXPECT_EQ(form->state().option, 1);
    EXPECT_TRUE(option1->isChecked() && option1->hasFocus());
    EXPECT_EQ(entries("List2"), enabled);
    // Left from "Remove" reaches "Advanced": its dialog opens; after Done the focus is on the mode chosen again.
    onNextModal([](QWidget* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton); });
    QTest::keyClick(option1, Qt::Key_Left);
    EXPECT_EQ(form->state().option, 1);
    EXPECT_TRUE(option1->isChecked() && !option3->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return option1->hasFocus(); }, 1000));
    // Shift+Tab back into the group lands on the chosen option, not on "Advanced".
    QTest::keyClick(option1, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), option1);
}

TEST_F(QtViewTest, AJapaneseNameGetsTextLargeEnoughToReadInBothLists)
{
    const QString name = QStringLiteral("\u96f6\u5f0f\u8266\u4e0a\u6226\u95d8\u6a5f"); // "零式艦上戦闘機"
    ASSERT_TRUE(QDir().mkpath(aircraftFolder() + QStringLiteral("/") + name));
    ASSERT_TRUE(QFile::copy(aircraftFolder() + QStringLiteral("/Aerobat 150/aircraft.cfg"),
                            aircraftFolder() + QStringLiteral("/") + name + QStringLiteral("/aircraft.cfg")));
    start(aircraftFolder());
    EXPECT_TRUE(entries("List2").contains(name));
    for (const char* list : {"List2", "Dir1"})
        EXPECT_GE(QFontInfo(child<QListWidget>(list)->font()).pixelSize(), 12) << list;
    EXPECT_LT(QFontInfo(window->font()).pixelSize(), 12) << "the window's own text stays small";
}

TEST_F(QtViewTest, DoubleClickOnAFolderNavigatesAndRescansKeepTheFolderListWhereItWas)
{
    start(work.filePath(QStringLiteral("FS9")));
    auto* folders = child<QListWidget>("Dir1");
    EXPECT_FALSE(child<QWidget>("List2")->isVisible());
    const int aircraft = static_cast<int>(entries("Dir1").indexOf(QStringLiteral("Aircraft")));
    ASSERT_GE(aircraft, 0) << entries("Dir1").join(QLatin1Char('|')).toStdString();

    doubleClickEntry("Dir1", aircraft);
    EXPECT_EQ(folders->currentItem()->text(), QStringLiteral("Aircraft"));
    EXPECT_TRUE(child<QWidget>("List2")->isVisible());
    EXPECT_FALSE(child<QWidget>("Label1")->isVisible());

    // The user moves in the folder list; a rescan ("Clear") leaves the list, its current line and its scroll
    // position alone.
    folders->setCurrentRow(folders->count() - 1);
    const int scrolled = folders->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    QListWidgetItem* before = folders->currentItem();
    QTest::mouseClick(child<QPushButton>("cmdNo"), Qt::LeftButton);
    EXPECT_EQ(folders->currentItem(), before);
    EXPECT_EQ(folders->verticalScrollBar()->value(), scrolled);
}

// Sets an environment variable (unsets it for nullopt) until the end of the scope.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* before = std::getenv(name))
            before_ = before;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { before_ ? setenv(name_, before_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> before_;
};

// A first start on a machine where FS2004 runs under Wine: ~/.wine's registry names the simulator's folder (written as
// Wine writes it, in other letter cases than on disk), and $WINEPREFIX is a prefix whose drive_c is a dangling link.
TEST_F(QtViewTest, AFirstStartOpensTheSimulatorOfAWinePrefix)
{
    start(aircraftFolder());
    const QStringList enabled = entries("List2");
    ASSERT_GT(enabled.size(), 1);
    form.reset();
    window.reset();
    ASSERT_TRUE(QFile::remove(QStringLiteral("Vantrel.ini")));

    namespace fs = std::filesystem;
    const fs::path home = work.filePath(QStringLiteral("home")).toStdString();
    fs::create_directories(home / "broken");
    fs::create_directory_symlink(home / "gone", home / "broken" / "drive_c");
    const fs::path installation = home / ".wine" / "drive_c" / "Games" / "FS9";
    fs::create_directories(installation.parent_path());
    fs::copy(VANTREL_DEMO_DIR "/FS9", installation, fs::copy_options::recursive);
    QFile registry(QString::fromStdString((home / ".wine" / "system.reg").string()));
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.write("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n\n"
                   "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1796713681\n"
                   "#time=1dd86e2dcfc44ee\n\"EXE Path\"=\"C:\\\\games\\\\fs9\\\\\"\n\n");
    registry.close();

    const ScopedEnvironment scratchHome("HOME", home.string());
    const ScopedEnvironment brokenPrefix("WINEPREFIX", (home / "broken").string());
    start();
    EXPECT_EQ(form->state().Dir1->path(), (installation / "Aircraft").string());
    EXPECT_TRUE(child<QWidget>("List2")->isVisible());
    EXPECT_FALSE(child<QWidget>("Label1")->isVisible());
    EXPECT_EQ(entries("List2"), enabled);
    EXPECT_EQ(child<QListWidget>("Dir1")->currentItem()->text(), QStringLiteral("Aircraft"));
    EXPECT_EQ(QFile(QStringLiteral("Vantrel.ini")).size(), 0);
}

TEST_F(QtViewTest, DialogsAndMessageBoxesCarryTheTitlesTheProgramGives)
{
    start(aircraftFolder());
    QStringList titles;

    // Advanced: leaving it with neither box ticked is refused in a box titled "Options"; with one it closes.
    onNextModal([&](QWidget* advanced) {
        titles << advanced->windowTitle();
        clickMark(advanced->findChild<QCheckBox*>(QStringLiteral("chkBank")));
        clickMark(advanced->findChild<QCheckBox*>(QStringLiteral("chkPitch")));
        onNextModal([&](QWidget* box) {
            titles << box->windowTitle() << static_cast<QMessageBox*>(box)->text();
            clickOk(box);
        });
        QTest::mouseClick(advanced->findChild<QPushButton*>(QStringLiteral("cmdDone")), Qt::LeftButton);
        EXPECT_TRUE(advanced->isVisible());
        clickMark(advanced->findChild<QCheckBox*>(QStringLiteral("chkPitch")));
        QTest::mouseClick(advanced->findChild<QPushButton*>(QStringLiteral("cmdDone")), Qt::LeftButton);
    });
    clickMark(child<QRadioButton>("Option3"));
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(form->state().chkBank, 0);
    EXPECT_EQ(form->state().chkPitch, 1);

    // About, and its System Info without a registry to find the tool in.
    onNextModal([&](QWidget* about) {
        titles << about->windowTitle() << about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        onNextModal([&](QWidget* box) {
            titles << box->windowTitle() << static_cast<QMessageBox*>(box)->text();
            clickOk(box);
        });
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QLabel* link = child<QLabel>("Label4");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());

    // Modify that meets an aircraft whose file has gone: "Append Error", with no hourglass over the box.
    clickEntry("List2", 0);
    ASSERT_TRUE(QFile::remove(aircraftFolder() + QStringLiteral("/") + entries("List2").first() +
                              QStringLiteral("/aircraft.cfg")));
    bool hourglassOverBox = true;
    onNextModal([&](QWidget* box) {
        titles << box->windowTitle();
        hourglassOverBox = QApplication::overrideCursor() != nullptr || window->cursor().shape() == Qt::WaitCursor;
        clickOk(box);
    });
    QTest::mouseClick(child<QPushButton>("cmdYes"), Qt::LeftButton);
    EXPECT_FALSE(hourglassOverBox);
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor) << "the pointer is back after Modify";

    const QStringList expected{QStringLiteral("Advanced Options"),
                               QStringLiteral("Options"),
                               QStringLiteral("You must select one or both options"),
                               QStringLiteral("About Vantrel"),
                               QStringLiteral("Version 1.5.3"),
                               QStringLiteral("Vantrel"),
                               QStringLiteral("System Information Is Unavailable At This Time"),
                               QStringLiteral("Append Error")};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Odd files through the window: wide text without a mark is reported and listed nowhere; after an error box a
// second Modify gives no file a second set of lines; a pipe in place of a file is reported, not waited for.
TEST_F(QtViewTest, OddFilesAndSecondClicks)
{
    const Watchdog watchdog(std::chrono::seconds(30), "the window hung");
    QByteArray wide; // UTF-16 without a mark, a Cyrillic title in it
    for (const char16_t unit : std::u16string(u"[fltsim.0]\r\ntitle=\u0418\u0419\r\n[autopilot]\r\nmax_bank=25\r\n"))
        wide.append(static_cast<char>(unit & 0xFF)).append(static_cast<char>(unit >> 8));
    ASSERT_TRUE(QDir().mkpath(aircraftFolder() + QStringLiteral("/Zulu Wide")));
    QFile file(aircraftFolder() + QStringLiteral("/Zulu Wide/aircraft.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(wide) == wide.size());
    file.close();

    const QStringList atStart = boxesWithin(100, [&] { start(aircraftFolder()); });
    ASSERT_EQ(atStart.size(), 1);
    EXPECT_TRUE(atStart[0].startsWith(QStringLiteral("Error 54 Bad file mode\n"))) << atStart[0].toStdString();
    const QStringList listed = entries("List2");
    EXPECT_FALSE(listed.contains(QStringLiteral("Zulu Wide")));
    ASSERT_TRUE(QDir(aircraftFolder() + QStringLiteral("/Zulu Wide")).removeRecursively()); // no box at every rescan
    const auto cfg = [&](int row) {
        return (aircraftFolder() + QStringLiteral("/") + listed[row] + QStringLiteral("/aircraft.cfg")).toStdString();
    };
    const auto content = [&](int row) {
        QFile read(QString::fromStdString(cfg(row)));
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    };

    // The second aircraft is read-only: Modify stops there with a box, the first one done.
    clickEntry("List2", 0);
    clickEntry("List2", 1);
    ASSERT_EQ(::chmod(cfg(1).c_str(), 0444), 0);
    const auto modify = [&] { QTest::mouseClick(child<QPushButton>("cmdYes"), Qt::LeftButton); };
    EXPECT_EQ(boxesWithin(100, modify), QStringList{QStringLiteral("Error 70 Permission denied")});
    const QByteArray done = content(0);
    EXPECT_EQ(done.count("default_bank_mode=0"), 1);
    // The user leaves it out and presses Modify again: no box, and the first aircraft stays as it was.
    clickEntry("List2", 1);
    EXPECT_EQ(boxesWithin(100, modify), QStringList());
    EXPECT_EQ(content(0), done);
    EXPECT_EQ(content(1).count("default_bank_mode=0"), 0);

    // A pipe in place of an aircraft.cfg after the scan.
    const QStringList now = entries("List2");
    const std::string piped =
        (aircraftFolder() + QStringLiteral("/") + now[1] + QStringLiteral("/aircraft.cfg")).toStdString();
    ASSERT_EQ(std::remove(piped.c_str()), 0);
    ASSERT_EQ(::mkfifo(piped.c_str(), 0644), 0);
    clickEntry("List2", 1);
    EXPECT_EQ(boxesWithin(100, modify), QStringList{QStringLiteral("Error 75 Path/File access error")});
    ::chmod(cfg(1).c_str(), 0644);
}

// Every event enters the program through its event guard: a click whose handling fails as nothing expects (here the
// drawing at its end) gives one box that names the failure, and the window goes on to handle the next click.
TEST_F(QtViewTest, AClickWhoseHandlingFailsGivesOneBoxAndTheNextClickIsHandled)
{
    start(aircraftFolder());
    auto* list = child<QListWidget>("List2");
    ASSERT_GT(list->count(), 1);

    window->failNextRender = true;
    const QStringList boxes =
        boxesWithin(100, [&] { QTest::mouseClick(child<QPushButton>("cmdAll"), Qt::LeftButton); });
    ASSERT_EQ(boxes.size(), 1) << boxes.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(boxes[0], QStringLiteral("Error 51 Internal error\nthe window could not draw"));
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), list->count()) << "All's selection drawn after the box";
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);

    EXPECT_EQ(boxesWithin(50, [&] { clickEntry("List2", 0); }), QStringList());
    EXPECT_FALSE(list->item(0)->isSelected());
    EXPECT_TRUE(list->item(1)->isSelected());
    EXPECT_FALSE(form->state().list2[0].selected);
    EXPECT_TRUE(child<QPushButton>("cmdYes")->isVisible());
}

} // namespace
} // namespace vantrel::test
