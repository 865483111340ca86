// The Qt window on a real X display, driven by real X input: xdotool moves the pointer, clicks, drags, turns the
// wheel and presses keys, as the X server delivers a person's input, while this program runs the window's event
// loop. What the selection list highlights is read back from its selection model, what Modify changed from the
// disk. Run by x-input.sh, which provides the display (QT_QPA_PLATFORM=xcb).
#include "form/frmVantrel.h"
#include "ui/qt/MainWindow.h"

#include "support/RandomInput.h"
#include "support/Watchdog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vantrel::test {
namespace {

// The real window, except that the program does not end and does not beep, and a message box, which none of these
// steps should bring, fails the test instead of waiting for a click.
class TestWindow : public qt::MainWindow
{
public:
    void beep() override {}
    void endProgram() override {}
    void showMessage(const std::string& text, form::MessageIcon, const std::string& title) override
    {
        ADD_FAILURE() << "message box \"" << title << "\": " << text;
    }
};

// Runs xdotool with `arguments` (words separated by spaces) and keeps the window's event loop running until it
// has finished; returns whether it succeeded.
bool xdo(const QString& arguments)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process.start(QStringLiteral("xdotool"), arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    const bool done = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
                      process.error() == QProcess::UnknownError;
    EXPECT_TRUE(done) << "xdotool " << arguments.toStdString() << ": " << process.readAllStandardError().toStdString();
    return done;
}

QString at(QPoint point)
{
    return QStringLiteral("mousemove %1 %2").arg(point.x()).arg(point.y());
}

// An installation in a scratch folder (FS9/fs9.exe and FS9/Aircraft) and the settings that open its aircraft
// folder; the program starts in the scratch folder.
class QtRandomInput : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        previous = QDir::currentPath();
        putFile(root() / "FS9" / "fs9.exe", "MZ");
        putFile(root() / "Vantrel.ini", "3\r\n/\r\n" + aircraftFolder().string() + "\r\n");
        ASSERT_TRUE(QDir::setCurrent(work.path()));
    }

    void TearDown() override
    {
        form.reset();
        window.reset();
        QDir::setCurrent(previous);
    }

    std::filesystem::path root() const { return work.path().toStdString(); }
    std::filesystem::path aircraftFolder() const { return root() / "FS9" / "Aircraft"; }

    void start()
    {
        window = std::make_unique<TestWindow>();
        form = std::make_unique<form::frmVantrel>(*window);
        window->setPresenter(form.get());
        form->runEvent([this] { form->Form_Load(); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        list = window->findChild<QListWidget*>(QStringLiteral("List2"));
        ASSERT_NE(list, nullptr);
        // No window manager gives the window the keyboard: it takes the X input focus itself.
        ASSERT_TRUE(xdo(QStringLiteral("windowfocus --sync %1").arg(window->winId())));
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QAbstractButton* button(const char* name) const { return window->findChild<QAbstractButton*>(QLatin1String(name)); }

    // The middle of a row of the selection list on the screen.
    QPoint rowPoint(int row) const
    {
        return list->viewport()->mapToGlobal(list->visualItemRect(list->item(row)).center());
    }

    // Where a user clicks a command button (its middle) or an option button (its circle).
    QPoint commandPoint(const char* name) const
    {
        QAbstractButton* target = button(name);
        if (qobject_cast<QRadioButton*>(target) != nullptr)
            return target->mapToGlobal(QPoint(7, target->height() / 2));
        return target->mapToGlobal(target->rect().center());
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list->count(); ++i)
            texts.push_back(list->item(i)->text().toStdString());
        return texts;
    }

    std::vector<bool> highlighted() const
    {
        std::vector<bool> flags;
        for (int i = 0; i < list->count(); ++i)
            flags.push_back(list->selectionModel()->isSelected(list->model()->index(i, 0)));
        return flags;
    }

    bool waitFor(const std::function<bool()>& done, int ms)
    {
        const QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    QTemporaryDir work;
    QString previous;
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<form::frmVantrel> form;
    QListWidget* list = nullptr;
};

// The controls of the session's commands, in the order of ListWindow::Command.
const char* const kCommandNames[] = {"cmdAll", "cmdNo", "cmdYes", "Option1", "Option2"};

// The session's view of the Qt window.
class QtListWindow : public ListWindow
{
public:
    explicit QtListWindow(QtRandomInput& test) : test_(test) {}

    std::vector<std::string> rows() override { return test_.rows(); }
    std::vector<bool> highlighted() override { return test_.highlighted(); }
    int current() override
    {
        const QModelIndex index = test_.list->selectionModel()->currentIndex();
        return index.isValid() ? index.row() : -1;
    }
    int mode() override
    {
        if (test_.button("Option1")->isChecked())
            return 1;
        return test_.button("Option2")->isChecked() ? 2 : 0;
    }
    bool shown(Command command) override { return test_.button(kCommandNames[static_cast<int>(command)])->isVisible(); }
    Focus focus() override
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus == test_.list)
            return Focus::List;
        if (focus == test_.button("Option1"))
            return Focus::Remove;
        if (focus == test_.button("Option2"))
            return Focus::Restore;
        return Focus::Other;
    }
    int topRow() override
    {
        const QModelIndex top = test_.list->indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    }
    int rowsVisible() override
    {
        const int height = test_.list->count() > 0 ? test_.list->visualItemRect(test_.list->item(0)).height() : 0;
        return height > 0 ? test_.list->viewport()->height() / height : 0;
    }

    void clickRow(int row, const std::string& modifiers) override
    {
        const QString click = at(test_.rowPoint(row)) + QStringLiteral(" click 1");
        if (modifiers.empty())
            xdo(click);
        else
            xdo(QStringLiteral("keydown %1 %2 keyup %1").arg(QString::fromStdString(modifiers), click));
    }
    void doubleClickRow(int row) override
    {
        xdo(at(test_.rowPoint(row)) + QStringLiteral(" click --repeat 2 --delay 80 1"));
    }
    void drag(int from, int to) override
    {
        const QPoint start = test_.rowPoint(from);
        xdo(at(start) + QStringLiteral(" mousedown 1 ") + at(start + QPoint(0, 2)) + QStringLiteral(" sleep 0.05 ") +
            at(test_.rowPoint(to)) + QStringLiteral(" sleep 0.05 mouseup 1"));
    }
    void key(const std::string& keys) override
    {
        if (QApplication::activeWindow() != test_.window.get())
            xdo(QStringLiteral("windowfocus --sync %1").arg(test_.window->winId()));
        xdo(QStringLiteral("key ") + QString::fromStdString(keys));
    }
    void wheel(bool down) override
    {
        xdo(at(test_.list->mapToGlobal(test_.list->rect().center())) +
            (down ? QStringLiteral(" click 5") : QStringLiteral(" click 4")));
    }
    void click(Command command) override
    {
        xdo(at(test_.commandPoint(kCommandNames[static_cast<int>(command)])) + QStringLiteral(" click 1"));
    }
    bool waitFor(const std::function<bool()>& done, int ms) override { return test_.waitFor(done, ms); }

private:
    QtRandomInput& test_;
};

TEST_F(QtRandomInput, TheHighlightFollowsTheUserAndModifyChangesExactlyTheHighlightedAircraft)
{
    const std::uint32_t seed = randomSeed();
    std::printf("VANTREL_SEED=%u\n", seed);
    std::fflush(stdout);
    const Watchdog watchdog(std::chrono::seconds(400),
                            "seed " + std::to_string(seed) + ": the window stopped answering");
    std::mt19937 random(seed);
    Fleet fleet;
    fleet.create(aircraftFolder(), 40, random);
    start();
    QtListWindow driver(*this);
    ASSERT_LT(driver.rowsVisible(), 40) << "the list shows every aircraft at once: nothing to scroll";
    RandomSession(driver, fleet, seed).run(randomSteps(200));
}

// Clicks and keys made while a long Modify works reach nothing: neither the list rebuilt after it, nor Modify again,
// nor the option buttons.
TEST_F(QtRandomInput, ClicksDuringALongModifyChangeNothing)
{
    const Watchdog watchdog(std::chrono::seconds(200), "the window stopped answering");
    const int count = 2500;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Aircraft %04d", i);
        names.push_back(name);
        putFile(aircraftFolder() / name / "aircraft.cfg", aircraftCfg(name));
    }
    start();
    ASSERT_TRUE(waitFor([&] { return list->count() == count; }, 20000));
    ASSERT_EQ(rows(), names);
    // All aircraft but the first: "All", a click on the first, a click on the third and Space on it again. Each
    // once the window shows the last one done (and, after "All", once its work has surely ended).
    std::vector<bool> chosen(count, true);
    QTest::qWait(1000);
    xdo(at(commandPoint("cmdAll")) + QStringLiteral(" click 1"));
    ASSERT_TRUE(waitFor([&] { return highlighted() == chosen; }, 20000));
    QTest::qWait(1000);
    xdo(at(rowPoint(0)) + QStringLiteral(" click 1"));
    chosen[0] = false;
    ASSERT_TRUE(waitFor([&] { return highlighted() == chosen; }, 5000)) << "first aircraft clicked";
    xdo(at(rowPoint(2)) + QStringLiteral(" click 1"));
    chosen[2] = false;
    ASSERT_TRUE(waitFor([&] { return highlighted() == chosen; }, 5000)) << "third aircraft clicked";
    xdo(QStringLiteral("key space"));
    chosen[2] = true;
    ASSERT_TRUE(waitFor([&] { return highlighted() == chosen; }, 5000)) << "Space on the third aircraft";

    // Modify, and while it works a click on the first aircraft, Space, a click where Modify was and one on "Restore".
    // Right after them the last aircraft must still be unchanged, or the clicks came too late to test anything.
    const std::filesystem::path lastBackup = aircraftFolder() / names.back() / "aircraftcfg.bak";
    const std::filesystem::path late = root() / "late";
    const QString clicks = at(commandPoint("cmdYes")) + QStringLiteral(" click 1 sleep 0.1 ") + at(rowPoint(0)) +
                           QStringLiteral(" click 1 key space sleep 0.05 ") + at(commandPoint("cmdYes")) +
                           QStringLiteral(" click 1 sleep 0.1 ") + at(commandPoint("Option2")) +
                           QStringLiteral(" click 1");
    QProcess xdotool;
    QEventLoop loop;
    QObject::connect(&xdotool, &QProcess::finished, &loop, &QEventLoop::quit);
    const QString script =
        QStringLiteral("xdotool %1 && { test -e '%2' && touch '%3'; true; }")
            .arg(clicks, QString::fromStdString(lastBackup.string()), QString::fromStdString(late.string()));
    xdotool.start(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    loop.exec();
    ASSERT_EQ(xdotool.exitCode(), 0);
    ASSERT_FALSE(std::filesystem::exists(late)) << "Modify had ended before the clicks: make it longer";

    // The work ends with the last aircraft; whatever the clicks could still do happens within a moment.
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(lastBackup); }, 60000));
    QTest::qWait(1500);
    EXPECT_TRUE(button("Option1")->isChecked()) << "the click on Restore made during the work was replayed";
    EXPECT_TRUE(rows() == std::vector<std::string>{names[0]}) << rows().size() << " rows, not the first aircraft alone";
    EXPECT_EQ(highlighted(), std::vector<bool>(rows().size(), false)) << "a click made during the work was replayed";
    EXPECT_FALSE(button("cmdYes")->isVisible());
    EXPECT_EQ(fileBytes(aircraftFolder() / names[0] / "aircraft.cfg"), aircraftCfg(names[0]));
    EXPECT_FALSE(std::filesystem::exists(aircraftFolder() / names[0] / "aircraftcfg.bak"));
    int wrong = 0;
    for (int i = 1; i < count; ++i)
        if (fileBytes(aircraftFolder() / names[i] / "aircraft.cfg") !=
            withInserted(aircraftCfg(names[i]), Fleet::kLines))
            ++wrong;
    EXPECT_EQ(wrong, 0) << "aircraft chosen but not modified";
}

} // namespace
} // namespace vantrel::test
